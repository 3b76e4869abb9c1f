#pragma once

#include "mailing_feed.h"
#include "mailpiece_export.h"
#include "message_sink.h"

namespace tav {

class TavLabel;

/// Streams the rows of `source` as `feed` says: each usable row's piece goes to feed.beforeAdd,
/// then to `add`. Rows left out go to feed.leftOut in order; blank rows are counted and skipped.
/// The label and envelope controls' AddPieces share it.
MAILPIECE_EXPORT MailingFed
feedRows(MailingSource& source, const MailingFeed& feed, const PieceMaker& maker,
         const std::function<void(const MailingRow&, const MailingPiece&)>& add);

/// Calls `add` (which adds one piece to `label`, or to the envelope around it), telling
/// feed.textFitProblem of `row` when the piece's texts do not fit; without that hook the label
/// tells its message sink.
MAILPIECE_EXPORT void addTellingOfFit(TavLabel& label, const MailingRow& row,
                                      const MailingFeed& feed, const std::function<void()>& add);

/// Holds a control's redrawing for the guard's lifetime; turning it back on draws, and what
/// that raises goes to the message sink, never out of the destructor.
template <typename Control> class HeldRefresh {
public:
    explicit HeldRefresh(Control& control)
        : control_(control)
        , refresh_(control.Refresh()) {
        control_.setRefresh(false);
    }
    ~HeldRefresh() {
        reportingErrors([this] { control_.setRefresh(refresh_); });
    }
    HeldRefresh(const HeldRefresh&) = delete;
    HeldRefresh& operator=(const HeldRefresh&) = delete;

private:
    Control& control_;
    bool refresh_;
};

} // namespace tav
