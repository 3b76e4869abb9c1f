#include "program_feed.h"

#include "intelligent_mail_fields.h"
#include "mailing_feed.h"
#include "message_sink.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_mail.h"
#include "zip_code.h"

#include <cstdio>
#include <functional>

namespace mailpiece {

namespace {

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
    QString prepare(const tav::PieceMaker& maker, const tav::MailingRow& row, const QString& zip) {
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

// Reports a feed on standard error: each row left out as "<name>:<number>: row left out: ...",
// and the source's own warnings (how a file was decoded) as soon as they are known.
class Reporter {
public:
    Reporter(const tav::MailingSource& source, const QString& name)
        : source_(source)
        , name_(name) {}

    void leftOut(const tav::MailingProblem& problem) {
        warnings();
        std::fprintf(stderr, "%s:%lld: row left out: %s\n", qUtf8Printable(name_),
                     static_cast<long long>(problem.number), qUtf8Printable(problem.message));
    }
    void warnings() {
        for (; shown_ < source_.warnings().size(); ++shown_)
            std::fprintf(stderr, "%s: warning: %s\n", qUtf8Printable(name_),
                         qUtf8Printable(source_.warnings().at(shown_)));
    }

private:
    const tav::MailingSource& source_;
    QString name_;
    qsizetype shown_ = 0;
};

// The feed's hooks: the bar code of each row from `giver`, reports from `reporter`.
tav::MailingFeed hooks(BarCodeGiver& giver, Reporter& reporter, const tav::PieceMaker& maker,
                       tav::TavBarCodeCls& barCode) {
    tav::MailingFeed feed;
    feed.leftOut = [&reporter](const tav::MailingProblem& problem) { reporter.leftOut(problem); };
    feed.beforeAdd = [&giver, &reporter, &maker, &barCode](const tav::MailingRow& row) {
        reporter.warnings();
        const QString why = giver.prepare(maker, row, barCode.Value());
        if (why.isEmpty())
            giver.checkFit(row);
        return why;
    };
    return feed;
}

} // namespace

FeedResult feedMailing(tav::MailingSource& source, const QString& name, tav::TavLabel& label,
                       tav::PieceMaker::Mode mode, const QString& zipColumn, BarCodeFeed barCodes) {
    BarCodeGiver giver(name, label, std::move(barCodes));
    Reporter reporter(source, name);
    const tav::PieceMaker maker(source.header(), mode, zipColumn);
    tav::MailingFeed feed = hooks(giver, reporter, maker, *label.BarCodeProperties());
    feed.mode = mode;
    feed.zipColumn = zipColumn;
    const tav::MailingFed fed = label.AddPieces(source, feed);
    reporter.warnings();
    return {source.header(), fed.pieces, static_cast<qsizetype>(fed.leftOut)};
}

FeedResult feedEnvelopes(tav::MailingSource& source, const QString& name, tav::TavMail& mail,
                         BarCodeFeed barCodes) {
    BarCodeGiver giver(name, mail.TavLabel1(), std::move(barCodes));
    Reporter reporter(source, name);
    const tav::PieceMaker maker(source.header(), tav::PieceMaker::Mode::Address,
                                QStringLiteral("Zip"));
    const tav::MailingFed fed =
        mail.AddPieces(source, hooks(giver, reporter, maker, *mail.BarCodeProperties()));
    reporter.warnings();
    return {source.header(), fed.pieces, static_cast<qsizetype>(fed.leftOut)};
}

} // namespace mailpiece
