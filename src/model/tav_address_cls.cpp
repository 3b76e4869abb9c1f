#include "tav_address_cls.h"

#include "postal_style.h"
#include "text_lines.h"

namespace tav {

namespace {

const QString kNewLine = QStringLiteral("\r\n");

// Two optional lines joined by a line break; either alone stands by itself.
QString joinPresent(const QString& first, const QString& second) {
    if (second.isEmpty())
        return first;
    return first.isEmpty() ? second : first + kNewLine + second;
}

} // namespace

void TavAddressCls::recompose(QString& field, const QString& text) {
    field = text;
    currentText_ = compose();
}

void TavAddressCls::Clear() {
    for (QString* field : {&first_, &middle_, &last_, &address_, &addressLine2_, &city_, &state_,
                           &zip_, &header1_, &header2_, &footer1_, &footer2_})
        field->clear();
    currentText_ = compose();
    emit changed();
}

void TavAddressCls::setNameAndAddress(const std::array<QString, 8>& fields) {
    first_ = fields[0];
    middle_ = fields[1];
    last_ = fields[2];
    address_ = fields[3];
    addressLine2_ = fields[4];
    city_ = fields[5];
    state_ = fields[6];
    zip_ = fields[7];
    currentText_ = compose();
    emit changed();
}

QString TavAddressCls::compose() const {
    if (postalStyle_)
        return composePostal();
    QString text;
    if (!middle_.isEmpty()) {
        const QString afterMiddle =
            middle_.size() == 1 ? QStringLiteral(". ") : QStringLiteral(" ");
        text = first_ + QLatin1Char(' ') + middle_ + afterMiddle + last_;
    } else if (!first_.isEmpty() || !last_.isEmpty()) {
        text = first_ + QLatin1Char(' ') + last_;
    }
    if (!address_.isEmpty())
        text += kNewLine + address_;
    if (!addressLine2_.isEmpty())
        text += kNewLine + addressLine2_;
    if (!city_.isEmpty())
        text += kNewLine + city_;
    if (!zip_.isEmpty() || !state_.isEmpty()) {
        if (!city_.isEmpty() && !state_.isEmpty())
            text += QLatin1Char(',');
        const QString state = state_.size() == 2 ? state_.toUpper() : state_;
        text += QLatin1Char(' ') + state + QStringLiteral("   ") + zip_;
    }

    const QString header = joinPresent(header1_, header2_);
    if (!header.isEmpty())
        text = header + kNewLine + text;
    const QString footer = joinPresent(footer1_, footer2_);
    if (!footer.isEmpty())
        text += kNewLine + footer;
    return text;
}

QString TavAddressCls::composePostal() const {
    QStringList lines;
    const auto add = [&lines](const QString& line) {
        if (!line.isEmpty())
            lines << line;
    };
    add(PostalStyle::text(header1_));
    add(PostalStyle::text(header2_));
    add(PostalStyle::text(first_ + QLatin1Char(' ') + middle_ + QLatin1Char(' ') + last_));
    for (const QString& street : {address_, addressLine2_})
        for (const QString& line : splitLines(street))
            add(PostalStyle::deliveryLine(line));
    add(PostalStyle::lastLine(city_, state_, zip_));
    add(PostalStyle::text(footer1_));
    add(PostalStyle::text(footer2_));
    return lines.join(kNewLine);
}

QStringList printedLines(const TavAddressCls& address) {
    QStringList lines;
    for (const QString& line : splitLines(address.CurrentText())) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            lines << trimmed;
    }
    return lines;
}

PieceTexts addressTexts(const TavAddressCls& address) {
    return PieceTexts(
        {{QStringLiteral("Header1"), address.Header1()},
         {QStringLiteral("Header2"), address.Header2()},
         {QStringLiteral("First"), address.First()},
         {QStringLiteral("Middle"), address.Middle()},
         {QStringLiteral("Last"), address.Last()},
         {QStringLiteral("Address"), address.Address()},
         {QStringLiteral("AddressLine2"), address.AddressLine2()},
         {QStringLiteral("City"), address.City()},
         {QStringLiteral("State"), address.State()},
         {QStringLiteral("Zip"), address.Zip()},
         {QStringLiteral("Footer1"), address.Footer1()},
         {QStringLiteral("Footer2"), address.Footer2()},
         {QStringLiteral("DeliveryAddress"), printedLines(address).join(QStringLiteral("\r\n"))}});
}

} // namespace tav
