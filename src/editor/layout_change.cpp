#include "layout_change.h"

namespace tav {

LayoutChange::LayoutChange(LayoutState before, LayoutState after, const QString& text, int mergeKey,
                           Apply apply)
    : QUndoCommand(text)
    , before_(std::move(before))
    , after_(std::move(after))
    , mergeKey_(mergeKey)
    , apply_(std::move(apply)) {
}

void LayoutChange::undo() {
    apply_(before_);
}

void LayoutChange::redo() {
    if (shown_) {
        shown_ = false;
        return;
    }
    apply_(after_);
}

bool LayoutChange::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const LayoutChange*>(other);
    after_ = next->after_;
    setObsolete(after_ == before_); // typed back to where it was: no step at all
    return true;
}

} // namespace tav
