#include "piece_maker.h"

#include "postal_style.h"
#include "tav_address_cls.h"
#include "text_lines.h"

#include <QSet>

#include <algorithm>
#include <array>

namespace tav {

namespace {

// A substitution list names its entries without its own separators; values may hold anything.
bool nameable(const QString& name) {
    return !name.contains(QLatin1Char('|')) && !name.contains(QLatin1Char('^'));
}

// "Item1" .. "Item7" for 0 .. 6, made once.
const QString& itemName(qsizetype index) {
    static const std::array<QString, 7> names = [] {
        std::array<QString, 7> made;
        for (std::size_t i = 0; i < made.size(); ++i)
            made[i] = QStringLiteral("Item%1").arg(i + 1);
        return made;
    }();
    return names.at(static_cast<std::size_t>(index));
}

QString field(const MailingRow& row, qsizetype column) {
    return column < 0 ? QString() : row.fields.value(column).trimmed();
}

} // namespace

qsizetype columnIndex(const QStringList& header, const QString& name) {
    const auto found = std::find_if(header.cbegin(), header.cend(), [&](const QString& column) {
        return column.trimmed().compare(name, Qt::CaseInsensitive) == 0;
    });
    return found == header.cend() ? -1 : found - header.cbegin();
}

bool blankRow(const MailingRow& row) {
    return std::all_of(row.fields.begin(), row.fields.end(),
                       [](const QString& field) { return field.trimmed().isEmpty(); });
}

PieceMaker::PieceMaker(const QStringList& header, Mode mode, const QString& zipColumn,
                       qsizetype addressLines)
    : header_(header)
    , mode_(mode)
    , addressLines_(std::clamp<qsizetype>(addressLines, 1, 7))
    , address_(AddressColumns::find(header)) {
    zip_ = mode == Mode::Address ? address_[AddressColumns::Zip]
           : zipColumn.isEmpty() ? -1
                                 : columnIndex(header, zipColumn);
}

MailingPiece PieceMaker::make(const MailingRow& row) const {
    if (mode_ == Mode::Columns)
        return MailingPiece{row.number, PieceTexts(columnsTexts(row)), field(row, zip_), {}, {}};
    bool foreign = false;
    const QStringList lines = addressLines(row, foreign);
    return MailingPiece{row.number,
                        PieceTexts(addressTexts(linesAbove_ ? linesAbove_(row) + lines : lines)),
                        field(row, address_.columnsOf(row.fields)[AddressColumns::Zip]),
                        {},
                        postalStyle_ && !foreign ? PostalStyle::blockProblem(lines) : QString()};
}

void PieceMaker::fillAddress(const MailingRow& row, TavAddressCls& address) const {
    address.setPostalStyle(postalStyle_);
    using Part = AddressColumns::Part;
    static constexpr Part parts[] = {Part::First,   Part::Middle, Part::Last,  Part::Street,
                                     Part::Street2, Part::City,   Part::State, Part::Zip};
    const auto& columns = address_.columnsOf(row.fields);
    std::array<QString, 8> fields;
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i] = field(row, columns[parts[i]]);
    address.setNameAndAddress(fields);
}

// The organization goes under the name (first when there is none), and a country last; the
// United States is no line on domestic mail. Returns whether a country was added.
bool PieceMaker::addOrganizationAndCountry(const MailingRow& row, QStringList& lines) const {
    const bool named = !field(row, address_[AddressColumns::First]).isEmpty() ||
                       !field(row, address_[AddressColumns::Middle]).isEmpty() ||
                       !field(row, address_[AddressColumns::Last]).isEmpty();
    const QStringList organization = splitLines(field(row, address_[AddressColumns::Organization]));
    for (qsizetype k = 0; k < organization.size(); ++k)
        if (!organization.at(k).trimmed().isEmpty())
            lines.insert(std::min<qsizetype>(lines.size(), (named ? 1 : 0) + k),
                         styled(organization.at(k).trimmed()));
    static const QStringList domestic = {QStringLiteral("US"), QStringLiteral("USA"),
                                         QStringLiteral("U.S.A."), QStringLiteral("United States"),
                                         QStringLiteral("United States of America")};
    const QString country = field(row, address_.columnsOf(row.fields)[AddressColumns::Country]);
    if (country.isEmpty() || domestic.contains(country, Qt::CaseInsensitive))
        return false;
    lines << styled(country);
    return true;
}

QString PieceMaker::styled(const QString& text) const {
    return postalStyle_ ? PostalStyle::text(text) : text;
}

QStringList PieceMaker::addressLines(const MailingRow& row, bool& foreign) const {
    TavAddressCls address;
    fillAddress(row, address);
    QStringList lines = printedLines(address);
    foreign = addOrganizationAndCountry(row, lines);
    return lines;
}

std::vector<std::pair<QString, QString>> PieceMaker::addressTexts(QStringList lines) const {
    // Every item gets an entry, empty past the last line, so no placeholder is left showing; the
    // lines an address layout has no item for go with its last one.
    if (lines.size() > addressLines_) {
        const QStringList rest = lines.mid(addressLines_ - 1);
        lines = lines.first(addressLines_ - 1);
        lines << rest.join(QStringLiteral("\r\n"));
    }
    std::vector<std::pair<QString, QString>> texts;
    for (qsizetype i = 0; i < 7; ++i)
        texts.emplace_back(itemName(i), lines.value(i));
    return texts;
}

std::vector<std::pair<QString, QString>> PieceMaker::columnsTexts(const MailingRow& row) const {
    std::vector<std::pair<QString, QString>> texts;
    QSet<QString> names;
    const auto add = [&](const QString& name, const QString& value) {
        if (!names.contains(name)) { // the first of a name is the one a template shows
            names.insert(name);
            texts.emplace_back(name, value);
        }
    };
    for (qsizetype k = 0; k < 7; ++k)
        add(itemName(k), field(row, k));
    for (qsizetype c = 0; c < header_.size(); ++c) {
        const QString name = header_.at(c).trimmed();
        if (!name.isEmpty() && nameable(name))
            add(name, field(row, c));
    }
    return texts;
}

} // namespace tav
