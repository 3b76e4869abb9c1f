#include "zip_order_source.h"

#include <algorithm>

namespace tav {

namespace {

// The ZIP code's first nine digits, or "" without five.
QString sortKey(const QString& zip) {
    QString digits;
    for (const QChar c : zip)
        if (c.isDigit() && c.unicode() < 128 && digits.size() < 9)
            digits += c;
    return digits.size() < 5 ? QString() : digits;
}

} // namespace

ZipOrderSource::ZipOrderSource(std::unique_ptr<MailingSource> rows, qsizetype zipColumn)
    : rows_(std::move(rows)) {
    MailingRow row;
    while (rows_->next(row)) {
        QString key = sortKey(row.fields.value(zipColumn));
        withoutZip_ += key.isEmpty();
        if (!key.isEmpty()) {
            ++pieces_[key.left(5)];
            ++pieces_[key.left(3)];
        }
        sorted_.emplace_back(std::move(key), row);
    }
    // A 5-digit code sorts before its own ZIP+4 codes; rows without one go last.
    std::stable_sort(sorted_.begin(), sorted_.end(), [](const auto& a, const auto& b) {
        if (a.first.isEmpty() != b.first.isEmpty())
            return b.first.isEmpty();
        return a.first < b.first;
    });
    takeOverFrom(*rows_);
}

ZipOrderSource::~ZipOrderSource() = default;

bool ZipOrderSource::next(MailingRow& row) {
    if (next_ >= sorted_.size())
        return false;
    row = std::move(sorted_[next_++].second);
    return true;
}

std::vector<ZipOrderSource::Group> ZipOrderSource::count(qsizetype digits) const {
    std::vector<Group> groups;
    for (const auto& [key, row] : sorted_) {
        if (key.isEmpty())
            continue;
        const QString code = key.left(digits);
        if (groups.empty() || groups.back().code != code)
            groups.push_back({code, 0});
        ++groups.back().pieces;
    }
    return groups;
}

QString ZipOrderSource::endorsementLine(const QString& zip, bool automation) const {
    constexpr qint64 kGroup = 10; // the fewest pieces a 5-digit or 3-digit package takes
    constexpr qsizetype kWidth = 36;
    const QString key = sortKey(zip);
    if (key.isEmpty())
        return {};
    QString level = QStringLiteral("MIXED AADC");
    if (piecesTo(key.left(5)) >= kGroup)
        level = QStringLiteral("5-DIGIT ") + key.left(5);
    else if (piecesTo(key.left(3)) >= kGroup)
        level = QStringLiteral("3-DIGIT ") + key.left(3);
    if (automation)
        level.prepend(QStringLiteral("AUTO**"));
    return level.rightJustified(kWidth, QLatin1Char('*'));
}

} // namespace tav
