// Whether a piece's texts print whole: fitting them to their items, and telling the host of what
// still does not fit.

#include "message_sink.h"
#include "recording_printer.h"
#include "tav_error.h"
#include "tav_item.h"
#include "tav_label.h"
#include "tav_label_p.h"

namespace tav {

namespace {

// How many pieces one message names before it only counts the rest.
constexpr qsizetype kProblemsNamed = 5;

} // namespace

bool TavLabel::FitText() const {
    return d->fitText_;
}

void TavLabel::setFitText(bool on) {
    d->fitText_ = on;
    emit propertyChanged(QStringLiteral("FitText"));
    redraw();
}

double TavLabel::MinimumFontSize() const {
    return d->minimumFontSize_;
}

void TavLabel::setMinimumFontSize(double points) {
    if (!(points >= 1 && points <= 72))
        raiseError(ErrorNumber::InvalidPropertyValue,
                   QStringLiteral("TavLabel:MinimumFontSize Property Let"),
                   QStringLiteral("the smallest font size is 1 to 72 points, not %1").arg(points));
    d->minimumFontSize_ = points;
    emit propertyChanged(QStringLiteral("MinimumFontSize"));
    redraw();
}

QString TavLabel::TextFitProblem() const {
    // Every printer measures text alike, so no real one is needed (nor made) to tell.
    RecordingPrinter measuring;
    QStringList problems;
    for (std::size_t i = 0; i < d->items_.size(); ++i) {
        const TavItemCls& record = *d->items_[i];
        if (!record.Visible())
            continue;
        TavItem& item = *d->itemControls_[i];
        try {
            loadItemRecord(item, record, d->substituteText_, d->fitText_ ? d->minimumFontSize_ : 0);
        } catch (const TavError&) {
            continue; // a box that cannot be laid out: printing says why
        }
        const QString problem = item.layout(measuring, 0, 0, true).problem();
        if (!problem.isEmpty())
            problems << QStringLiteral("item %1: %2").arg(i + 1).arg(problem);
    }
    return problems.join(QStringLiteral("; "));
}

void TavLabel::setTextFitReport(std::function<void(const QString&)> report) {
    d->textFitReport_ = std::move(report);
}

void TavLabel::reportTextFit(const QString& problem) {
    if (d->textFitReport_) {
        d->textFitReport_(problem);
        return;
    }
    if (d->refresh_) {
        showMessage(problem);
        return;
    }
    // A host feeding a mailing with Refresh off hears of it once, not piece by piece.
    if (d->heldTextFitProblems_.size() < kProblemsNamed)
        d->heldTextFitProblems_ << problem;
    ++d->heldTextFitCount_;
}

void TavLabel::showHeldTextFitProblems() {
    if (d->heldTextFitCount_ == 0)
        return;
    QString text =
        QStringLiteral("%1 of the pieces added do not print whole:\n").arg(d->heldTextFitCount_) +
        d->heldTextFitProblems_.join(QLatin1Char('\n'));
    if (d->heldTextFitCount_ > d->heldTextFitProblems_.size())
        text += QStringLiteral("\nand %1 more.")
                    .arg(d->heldTextFitCount_ - d->heldTextFitProblems_.size());
    d->heldTextFitProblems_.clear();
    d->heldTextFitCount_ = 0;
    showMessage(text);
}

} // namespace tav
