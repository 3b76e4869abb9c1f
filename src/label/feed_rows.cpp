#include "feed_rows.h"

#include <algorithm>

namespace tav {

MailingFed feedRows(MailingSource& source, const MailingFeed& feed, const PieceMaker& maker,
                    const std::function<void(const MailingRow&, const MailingPiece&)>& fill,
                    const std::function<void()>& add) {
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
        if (const auto piece = maker.make(row, problems)) {
            fill(row, *piece);
            const QString why = feed.beforeAdd ? feed.beforeAdd(row) : QString();
            if (why.isEmpty()) {
                add();
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

} // namespace tav
