#include "mailing_feed.h"

#include "tav_error.h"
#include "tav_label.h"

#include <QFile>

#include <cstdio>

namespace mailpiece {

FeedResult feedMailing(const QString& path, tav::TavLabel& label, PieceMaker::Mode mode,
                       const QString& zipColumn) {
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

    const bool refresh = label.Refresh();
    label.setRefresh(false);
    CsvRow row;
    std::size_t readerProblems = 0;
    while (reader.next(row)) {
        if (const auto piece = maker.make(row, problems)) {
            label.setSubstituteText(piece->substituteText);
            label.BarCodeProperties()->setValue(piece->zip);
            label.AddPiece();
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
    label.setRefresh(refresh);
    return result;
}

} // namespace mailpiece
