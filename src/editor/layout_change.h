#pragma once

#include "piece_layout_edit_form.h"

#include <QUndoCommand>

#include <array>
#include <functional>

namespace tav {

/// Everything the layout editor lets the user change: what one undo step restores.
struct LayoutState {
    std::array<PieceLayoutEditForm::Object, 8> objects;
    int symbology = 0;
    QString trackingCode;

    bool operator==(const LayoutState&) const = default;
};

/// One change of the layout, undone by going back to the state before it. Changes with the same
/// merge key that follow each other (the keys of one nudge or of one typed field) are one step.
class LayoutChange : public QUndoCommand {
public:
    using Apply = std::function<void(const LayoutState&)>;

    /// A change already made and shown, from `before` to `after`; `mergeKey` -1 never merges.
    LayoutChange(LayoutState before, LayoutState after, const QString& text, int mergeKey,
                 Apply apply);

    void undo() override;
    void redo() override;
    int id() const override { return mergeKey_; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    LayoutState before_;
    LayoutState after_;
    int mergeKey_;
    Apply apply_;
    bool shown_ = true; // the first redo, when the stack takes it, has nothing to do
};

} // namespace tav
