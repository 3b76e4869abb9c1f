// Whether a piece's texts print whole: fitting them to their items, and telling the host of what
// still does not fit.

#include "message_sink.h"
#include "piece_renderer.h"
#include "piece_texts.h"
#include "tav_error.h"
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
    return textFitProblem(PieceTexts::fromList(d->substituteText_));
}

QString TavLabel::textFitProblem(const PieceTexts& texts) const {
    try {
        return pieceRenderer(true).textFitProblem(texts);
    } catch (const TavError&) {
        return {}; // a box that cannot be laid out: printing says why
    }
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
