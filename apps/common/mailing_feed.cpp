#include "mailing_feed.h"

#include "message_sink.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_mail.h"

#include <QFile>

#include <cstdio>
#include <functional>

namespace mailpiece {

namespace {

using AddPiece = std::function<void(const PieceMaker&, const CsvRow&, const MailingPiece&)>;

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
            add(maker, row, *piece);
            ++result.pieces;
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

} // namespace

FeedResult feedMailing(const QString& path, tav::TavLabel& label, PieceMaker::Mode mode,
                       const QString& zipColumn) {
    const HeldRefresh held(label);
    return feedRows(path, mode, zipColumn,
                    [&label](const PieceMaker&, const CsvRow&, const MailingPiece& piece) {
                        label.setSubstituteText(QString());
                        for (const auto& [name, value] : piece.texts)
                            label.SetPieceText(name, value);
                        label.BarCodeProperties()->setValue(piece.zip);
                        label.AddPiece();
                    });
}

FeedResult feedEnvelopes(const QString& path, tav::TavMail& mail) {
    const HeldRefresh held(mail);
    return feedRows(path, PieceMaker::Mode::Address, QStringLiteral("Zip"),
                    [&mail](const PieceMaker& maker, const CsvRow& row, const MailingPiece&) {
                        maker.fillAddress(row, *mail.DeliveryAddress_Text());
                        mail.setSubstituteText(QString()); // each envelope its own pairs only
                        mail.AddPiece();
                    });
}

} // namespace mailpiece
