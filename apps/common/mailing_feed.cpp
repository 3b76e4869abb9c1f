#include "mailing_feed.h"

#include "intelligent_mail_fields.h"
#include "message_sink.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_mail.h"
#include "zip_code.h"

#include <cstdio>
#include <functional>

namespace mailpiece {

namespace {

// Adds the piece of a row; returns why the row is left out instead, or "".
using AddPiece =
    std::function<QString(const PieceMaker&, const tav::MailingRow&, const MailingPiece&)>;

// Streams the rows of `source`, hands every usable one to `add` and reports every row left out
// on standard error, with `name` and its number, as the rows go by.
FeedResult feedRows(tav::MailingSource& source, const QString& name, PieceMaker::Mode mode,
                    const QString& zipColumn, const AddPiece& add) {
    const PieceMaker maker(source.header(), mode, zipColumn);
    FeedResult result;
    result.header = source.header();
    std::vector<tav::MailingProblem> problems;
    qsizetype warningsShown = 0;
    const auto report = [&] {
        for (; warningsShown < source.warnings().size(); ++warningsShown)
            std::fprintf(stderr, "%s: warning: %s\n", qUtf8Printable(name),
                         qUtf8Printable(source.warnings().at(warningsShown)));
        for (tav::MailingProblem& problem : source.takeProblems())
            problems.push_back(std::move(problem));
        // The source's problems come in order with the rows it skipped.
        std::sort(problems.begin(), problems.end(),
                  [](const auto& a, const auto& b) { return a.number < b.number; });
        for (const tav::MailingProblem& problem : problems)
            std::fprintf(stderr, "%s:%lld: row left out: %s\n", qUtf8Printable(name),
                         static_cast<long long>(problem.number), qUtf8Printable(problem.message));
        result.leftOut += static_cast<qsizetype>(problems.size());
        problems.clear();
    };
    report(); // an unusable header

    tav::MailingRow row;
    while (source.next(row)) {
        if (const auto piece = maker.make(row, problems)) {
            const QString problem = add(maker, row, *piece);
            if (problem.isEmpty())
                ++result.pieces;
            else
                problems.push_back({row.number, problem});
        }
        report();
    }
    report();
    return result;
}

// Holds a control's redrawing for the guard's lifetime.
template <typename Control> class HeldRefresh {
public:
    explicit HeldRefresh(Control& control)
        : control_(control)
        , refresh_(control.Refresh()) {
        control_.setRefresh(false);
    }
    // Turning redrawing back on draws: what that raises is reported, never thrown from here.
    ~HeldRefresh() {
        tav::reportingErrors([this] { control_.setRefresh(refresh_); });
    }
    HeldRefresh(const HeldRefresh&) = delete;
    HeldRefresh& operator=(const HeldRefresh&) = delete;

private:
    Control& control_;
    bool refresh_;
};

// Gives the label's bar code record what a row's piece needs beyond its texts, and checks that
// its bars fit before the piece is added.
class BarCodeGiver {
public:
    BarCodeGiver(const QString& name, tav::TavLabel& label, BarCodeFeed barCodes)
        : name_(name)
        , label_(label)
        , feed_(std::move(barCodes)) {
        if (feed_.tracking)
            label_.BarCodeProperties()->setSymbology(tav::TavEnumCls::TavIntelligentMail);
    }

    // Checks the ZIP code `zip` of `row` and sets the row's tracking code; returns why the row
    // is left out, or "". A doubtful ZIP code is a warning, or with strictZip a reason.
    QString prepare(const PieceMaker& maker, const tav::MailingRow& row, const QString& zip) {
        if (!maker.hasZip())
            return {};
        tav::TavBarCodeCls& barCode = *label_.BarCodeProperties();
        if (barCode.Symbology() != tav::TavEnumCls::TavIntelligentMail) {
            const QString warning = tav::zipCodeWarning(zip);
            if (warning.isEmpty())
                return {};
            if (feed_.strictZip)
                return warning;
            std::fprintf(stderr, "%s:%lld: warning: %s\n", qUtf8Printable(name_),
                         static_cast<long long>(row.number), qUtf8Printable(warning));
            return {};
        }
        const QString routing = tav::IntelligentMail::routingCodeProblem(zip);
        if (!routing.isEmpty())
            return QStringLiteral("the ZIP code ") + routing;
        if (feed_.tracking) {
            QString problem;
            const std::optional<QString> code = feed_.tracking->next(maker.header(), row, problem);
            if (!code)
                return problem;
            barCode.setTrackingCode(*code);
        }
        return {};
    }

    // Says so when the bars of the piece about to be added would not all be printed.
    void checkFit(const tav::MailingRow& row) {
        tav::TavBarCodeCls& barCode = *label_.BarCodeProperties();
        QString problem = label_.BarCodeFitProblem();
        if (problem.isEmpty() && !leftOff_)
            return;
        if (problem.isEmpty())
            problem = leftOffProblem_;
        const QString where = QStringLiteral("%1:%2: piece %3")
                                  .arg(name_)
                                  .arg(row.number)
                                  .arg(label_.pieceCount() + 1);
        if (feed_.strictFit)
            throw tav::TavError(tav::ErrorNumber::InvalidPropertyValue, QStringLiteral("mailing"),
                                QStringLiteral("%1: %2").arg(where, problem));
        const bool intelligentMail = barCode.Symbology() == tav::TavEnumCls::TavIntelligentMail;
        std::fprintf(stderr, "%s: warning: %s; %s\n", qUtf8Printable(where),
                     qUtf8Printable(problem),
                     intelligentMail ? "the mailing is printed without its bar codes"
                                     : "its bars are cut at the edge");
        if (intelligentMail && !leftOff_) {
            // Every piece shares the box, so none of them gets a bar code.
            barCode.setVisible(false);
            leftOff_ = true;
            leftOffProblem_ = problem;
        }
    }

private:
    QString name_;
    tav::TavLabel& label_;
    BarCodeFeed feed_;
    bool leftOff_ = false;
    QString leftOffProblem_;
};

} // namespace

FeedResult feedMailing(tav::MailingSource& source, const QString& name, tav::TavLabel& label,
                       PieceMaker::Mode mode, const QString& zipColumn, BarCodeFeed barCodes) {
    const HeldRefresh held(label);
    BarCodeGiver giver(name, label, std::move(barCodes));
    return feedRows(
        source, name, mode, zipColumn,
        [&](const PieceMaker& maker, const tav::MailingRow& row, const MailingPiece& piece) {
            const QString problem = giver.prepare(maker, row, piece.zip);
            if (!problem.isEmpty())
                return problem;
            label.setSubstituteText(QString());
            for (const auto& [name, value] : piece.texts)
                label.SetPieceText(name, value);
            label.BarCodeProperties()->setValue(piece.zip);
            giver.checkFit(row);
            label.AddPiece();
            return QString();
        });
}

FeedResult feedEnvelopes(tav::MailingSource& source, const QString& name, tav::TavMail& mail,
                         BarCodeFeed barCodes) {
    const HeldRefresh held(mail);
    BarCodeGiver giver(name, mail.TavLabel1(), std::move(barCodes));
    return feedRows(
        source, name, PieceMaker::Mode::Address, QStringLiteral("Zip"),
        [&](const PieceMaker& maker, const tav::MailingRow& row, const MailingPiece& piece) {
            const QString problem = giver.prepare(maker, row, piece.zip);
            if (!problem.isEmpty())
                return problem;
            maker.fillAddress(row, *mail.DeliveryAddress_Text());
            mail.setSubstituteText(QString()); // each envelope its own pairs only
            mail.BarCodeProperties()->setValue(piece.zip);
            giver.checkFit(row);
            mail.AddPiece();
            return QString();
        });
}

} // namespace mailpiece
