#include "mailing_feed.h"

#include "intelligent_mail_fields.h"
#include "message_sink.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_mail.h"

#include <QFile>

#include <cstdio>
#include <functional>

namespace mailpiece {

namespace {

// Adds the piece of a row; returns why the row is left out instead, or "".
using AddPiece = std::function<QString(const PieceMaker&, const CsvRow&, const MailingPiece&)>;

// Streams the CSV file at `path`, hands every usable row to `add` and reports every row left
// out on standard error with its line number.
FeedResult feedRows(const QString& path, PieceMaker::Mode mode, const QString& zipColumn,
                    const AddPiece& add) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        tav::raiseError(tav::ErrorNumber::PathFileAccess, QStringLiteral("mailing"),
                        QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    CsvReader reader(file);
    const PieceMaker maker(reader.header(), mode, zipColumn);
    FeedResult result;
    result.header = reader.header();
    std::vector<CsvProblem> problems;
    const auto report = [&] {
        for (const CsvProblem& problem : problems)
            std::fprintf(stderr, "%s:%lld: row left out: %s\n", qUtf8Printable(path),
                         static_cast<long long>(problem.line), qUtf8Printable(problem.message));
        result.leftOut += static_cast<qsizetype>(problems.size());
        problems.clear();
    };

    CsvRow row;
    std::size_t readerProblems = 0;
    while (reader.next(row)) {
        if (const auto piece = maker.make(row, problems)) {
            const QString problem = add(maker, row, *piece);
            if (problem.isEmpty())
                ++result.pieces;
            else
                problems.push_back({row.line, problem});
        }
        // The reader's problems come in line order with the rows it skipped.
        for (; readerProblems < reader.problems().size(); ++readerProblems)
            problems.push_back(reader.problems()[readerProblems]);
        std::sort(problems.begin(), problems.end(),
                  [](const CsvProblem& a, const CsvProblem& b) { return a.line < b.line; });
        report();
    }
    for (; readerProblems < reader.problems().size(); ++readerProblems)
        problems.push_back(reader.problems()[readerProblems]);
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
    BarCodeGiver(const QString& path, tav::TavLabel& label, BarCodeFeed barCodes)
        : path_(path)
        , label_(label)
        , feed_(std::move(barCodes)) {
        if (feed_.tracking)
            label_.BarCodeProperties()->setSymbology(tav::TavEnumCls::TavIntelligentMail);
    }

    // Sets the tracking code of the row whose ZIP code is `zip`; returns why the row is left
    // out, or "".
    QString prepare(const QStringList& header, const CsvRow& row, const QString& zip) {
        tav::TavBarCodeCls& barCode = *label_.BarCodeProperties();
        if (barCode.Symbology() != tav::TavEnumCls::TavIntelligentMail)
            return {};
        const QString routing = tav::IntelligentMail::routingCodeProblem(zip);
        if (!routing.isEmpty())
            return QStringLiteral("the ZIP code ") + routing;
        if (feed_.tracking) {
            QString problem;
            const std::optional<QString> code = feed_.tracking->next(header, row, problem);
            if (!code)
                return problem;
            barCode.setTrackingCode(*code);
        }
        return {};
    }

    // Says so when the bars of the piece about to be added would not all be printed.
    void checkFit(const CsvRow& row) {
        tav::TavBarCodeCls& barCode = *label_.BarCodeProperties();
        QString problem = label_.BarCodeFitProblem();
        if (problem.isEmpty() && !leftOff_)
            return;
        if (problem.isEmpty())
            problem = leftOffProblem_;
        const QString where =
            QStringLiteral("%1:%2: piece %3").arg(path_).arg(row.line).arg(label_.pieceCount() + 1);
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
    QString path_;
    tav::TavLabel& label_;
    BarCodeFeed feed_;
    bool leftOff_ = false;
    QString leftOffProblem_;
};

} // namespace

QStringList readHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return CsvReader(file).header();
}

FeedResult feedMailing(const QString& path, tav::TavLabel& label, PieceMaker::Mode mode,
                       const QString& zipColumn, BarCodeFeed barCodes) {
    const HeldRefresh held(label);
    BarCodeGiver giver(path, label, std::move(barCodes));
    return feedRows(path, mode, zipColumn,
                    [&](const PieceMaker& maker, const CsvRow& row, const MailingPiece& piece) {
                        const QString problem = giver.prepare(maker.header(), row, piece.zip);
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

FeedResult feedEnvelopes(const QString& path, tav::TavMail& mail, BarCodeFeed barCodes) {
    const HeldRefresh held(mail);
    BarCodeGiver giver(path, mail.TavLabel1(), std::move(barCodes));
    return feedRows(path, PieceMaker::Mode::Address, QStringLiteral("Zip"),
                    [&](const PieceMaker& maker, const CsvRow& row, const MailingPiece& piece) {
                        const QString problem = giver.prepare(maker.header(), row, piece.zip);
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
