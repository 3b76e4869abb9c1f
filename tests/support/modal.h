#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace tav::test {

/// Runs `action` on the modal dialog of type T once it is shown by `open`, which blocks until the
/// dialog closes. Returns whether the dialog was seen.
template <typename T>
bool whileModal(const std::function<void()>& open, const std::function<void(T&)>& action) {
    bool seen = false;
    std::function<void()> poll;
    poll = [&] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            QTimer::singleShot(10, poll);
            return;
        }
        seen = true;
        action(*dialog);
    };
    QTimer::singleShot(0, poll);
    open();
    return seen;
}

} // namespace tav::test
