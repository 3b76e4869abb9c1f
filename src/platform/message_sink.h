#pragma once

#include "mailpiece_export.h"

#include <QString>

#include <memory>
#include <utility>

namespace tav {

/// Where the library shows the few messages it reports to the user instead of raising them.
class MAILPIECE_EXPORT MessageSink {
public:
    virtual ~MessageSink();
    /// Shows `text` to the user; returns when the user has seen it (a modal box) or at once.
    virtual void showMessage(const QString& text, const QString& title) = 0;
    /// Shows that something failed; shown as any message unless a sink marks it.
    virtual void showError(const QString& text, const QString& title) { showMessage(text, title); }
};

/// A modal QMessageBox in a widget application with a screen; standard error otherwise.
class MAILPIECE_EXPORT DefaultMessageSink : public MessageSink {
public:
    void showMessage(const QString& text, const QString& title) override;
    /// The same with a warning icon.
    void showError(const QString& text, const QString& title) override;
};

/// The process's current sink (a DefaultMessageSink until a host replaces it).
MAILPIECE_EXPORT MessageSink& messageSink();
/// Replaces the current sink and returns the previous one; null restores the default.
MAILPIECE_EXPORT std::shared_ptr<MessageSink> setMessageSink(std::shared_ptr<MessageSink> sink);

/// Shows `text` through the current sink, titled with the application's name.
MAILPIECE_EXPORT void showMessage(const QString& text);

/// Shows the exception being handled through the sink: a TavError as "source: description
/// (error N)", any other by its text. Call it inside a catch block; it never throws.
MAILPIECE_EXPORT void reportCurrentException() noexcept;

/// Runs `action` and reports what it raises through the sink instead of letting it pass: for
/// slots, event handlers and destructors, which no exception may leave. False when it raised.
template <typename Action> bool reportingErrors(Action&& action) noexcept {
    try {
        std::forward<Action>(action)();
        return true;
    } catch (...) {
        reportCurrentException();
        return false;
    }
}

namespace detail {
template <typename Slot, typename Call> struct ReportingSlot;
template <typename Slot, typename Class, typename Result, typename... Arguments>
struct ReportingSlot<Slot, Result (Class::*)(Arguments...) const> {
    // Takes exactly the slot's arguments, so that a signal passes only those.
    static auto wrap(Slot slot) {
        return [slot = std::move(slot)](Arguments... arguments) {
            reportingErrors([&] { slot(std::forward<Arguments>(arguments)...); });
        };
    }
};
} // namespace detail

/// The lambda `slot` made safe to connect to a signal: what it raises is reported through the
/// sink.
template <typename Slot> auto reportingSlot(Slot slot) {
    return detail::ReportingSlot<Slot, decltype(&Slot::operator())>::wrap(std::move(slot));
}

} // namespace tav
