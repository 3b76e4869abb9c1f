#include "feed_rows.h"

#include "tav_label.h"

#include <algorithm>

namespace tav {

MailingFed feedRows(MailingSource& source, const MailingFeed& feed, const PieceMaker& maker,
                    const std::function<void(const MailingRow&, const MailingPiece&)>& add) {
    MailingFed fed;
    std::vector<MailingProblem> problems;
    const auto report = [&] {
        for (MailingProblem& problem : source.takeProblems())
            problems.push_back(std::move(problem));
        // The source's problems come in order with the rows it skipped.
        std::stable_sort(problems.begin(), problems.end(),
                         [](const auto& a, const auto& b) { return a.number < b.number; });
        for (const MailingProblem& problem : problems)
            if (feed.leftOut)
                feed.leftOut(problem);
        fed.leftOut += static_cast<qint64>(problems.size());
        problems.clear();
    };
    report(); // an unusable header

    MailingRow row;
    qint64 read = 0;
    while (source.next(row)) {
        ++read;
        if (blankRow(row)) {
            ++fed.blankRows; // a blank label is nobody's piece
        } else {
            MailingPiece piece = maker.make(row);
            const QString why = feed.beforeAdd ? feed.beforeAdd(row, piece) : QString();
            if (why.isEmpty()) {
                add(row, piece);
                ++fed.pieces;
            } else {
                problems.push_back({row.number, why});
            }
        }
        report();
        if (feed.progress && !feed.progress(read)) {
            fed.stopped = true;
            break;
        }
    }
    report();
    return fed;
}

void addTellingOfFit(TavLabel& label, const MailingRow& row, const MailingFeed& feed,
                     const std::function<void()>& add) {
    if (!feed.textFitProblem) {
        add();
        return;
    }
    label.setTextFitReport([&](const QString& problem) { feed.textFitProblem(row, problem); });
    try {
        add();
    } catch (...) {
        label.setTextFitReport(nullptr);
        throw;
    }
    label.setTextFitReport(nullptr);
}

} // namespace tav
