#include "vcard_source.h"

#include "mailing_file.h"

#include <QIODevice>
#include <QStringDecoder>

#include <optional>
#include <vector>

namespace tav {

namespace {

// Bytes a card may hold; a larger one is no contact (a photo is dropped long before this).
constexpr qsizetype kLargestCard = 1 << 20;

struct Property {
    QByteArray name;                                       // upper case, without its group
    std::vector<std::pair<QByteArray, QByteArray>> params; // keys upper case, values as written
    QByteArray value;
};

QByteArray paramValue(const Property& property, const char* key) {
    for (const auto& [name, value] : property.params)
        if (name == key)
            return value;
    return {};
}

// Whether the property is marked `type` (TYPE=home,work in 3.0 and 4.0; a bare HOME in 2.1).
bool marked(const Property& property, const char* type) {
    for (const auto& [name, value] : property.params)
        if (name == "TYPE")
            for (const QByteArray& one : value.toLower().split(','))
                if (one.trimmed() == type)
                    return true;
    return false;
}

bool preferred(const Property& property) {
    return marked(property, "pref") || !paramValue(property, "PREF").isEmpty();
}

// "group.NAME;KEY=value;BARE:value", a colon inside quotes being no separator.
std::optional<Property> parseLine(const QByteArray& line) {
    bool quoted = false;
    qsizetype colon = -1;
    for (qsizetype i = 0; i < line.size() && colon < 0; ++i) {
        if (line.at(i) == '"')
            quoted = !quoted;
        else if (line.at(i) == ':' && !quoted)
            colon = i;
    }
    if (colon < 0)
        return std::nullopt;
    Property property;
    const QList<QByteArray> parts = line.left(colon).split(';');
    property.name = parts.first().mid(parts.first().lastIndexOf('.') + 1).trimmed().toUpper();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const qsizetype equals = parts.at(i).indexOf('=');
        QByteArray key = equals < 0 ? QByteArray() : parts.at(i).left(equals).trimmed().toUpper();
        QByteArray value = equals < 0 ? parts.at(i).trimmed() : parts.at(i).mid(equals + 1);
        if (value.startsWith('"') && value.endsWith('"') && value.size() >= 2)
            value = value.mid(1, value.size() - 2);
        if (key.isEmpty()) // vCard 2.1 names a type or an encoding alone
            key =
                value.toUpper() == "QUOTED-PRINTABLE" ? QByteArray("ENCODING") : QByteArray("TYPE");
        property.params.emplace_back(key, value);
    }
    property.value = line.mid(colon + 1);
    return property;
}

QByteArray fromQuotedPrintable(const QByteArray& text) {
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        bool ok = false;
        const int code =
            text.at(i) == '=' && i + 2 < text.size() ? text.mid(i + 1, 2).toInt(&ok, 16) : 0;
        if (ok) {
            bytes += static_cast<char>(code);
            i += 2;
        } else {
            bytes += text.at(i);
        }
    }
    return bytes;
}

QString textOf(const Property& property) {
    QByteArray bytes = property.value;
    if (paramValue(property, "ENCODING").toUpper() == "QUOTED-PRINTABLE")
        bytes = fromQuotedPrintable(bytes);
    const QByteArray charset = paramValue(property, "CHARSET");
    QStringDecoder decoder(charset.isEmpty() ? "UTF-8" : charset.constData());
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    return decoder(bytes);
}

// The components of a structured value, split at unescaped ";", each unescaped.
QStringList components(const QString& value) {
    QStringList parts(1);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\' && i + 1 < value.size()) {
            const QChar next = value.at(++i);
            parts.last() += next == u'n' || next == u'N' ? QChar(u'\n') : next;
        } else if (c == u';') {
            parts.append(QString());
        } else {
            parts.last() += c;
        }
    }
    for (QString& part : parts)
        part = part.trimmed();
    return parts;
}

} // namespace

struct VCardSource::Card {
    qint64 line = 0;
    std::vector<Property> properties;
    qsizetype bytes = 0;
};

VCardSource::VCardSource(QIODevice& input, AddressType type)
    : input_(input)
    , type_(type)
    , header_({QStringLiteral("First"), QStringLiteral("Middle"), QStringLiteral("Last"),
               QStringLiteral("Organization"), QStringLiteral("Address"),
               QStringLiteral("AddressLine2"), QStringLiteral("City"), QStringLiteral("State"),
               QStringLiteral("Zip"), QStringLiteral("Country")}) {
}

std::unique_ptr<VCardSource> VCardSource::open(const QString& path, AddressType type) {
    std::unique_ptr<QIODevice> file = openMailingFile(path, QStringLiteral("VCardSource"));
    auto source = std::make_unique<VCardSource>(*file, type);
    source->owned_ = std::move(file);
    return source;
}

VCardSource::~VCardSource() = default;

const QStringList& VCardSource::header() const {
    return header_;
}

std::optional<QByteArray> VCardSource::nextLine() {
    const auto physical = [this]() -> std::optional<QByteArray> {
        if (pending_)
            return std::exchange(pending_, std::nullopt);
        if (input_.atEnd())
            return std::nullopt;
        QByteArray line = input_.readLine(kLargestCard);
        ++line_;
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        return line;
    };
    std::optional<QByteArray> line = physical();
    if (!line)
        return std::nullopt;
    for (;;) {
        // A quoted-printable value of vCard 2.1 goes on after a line ending in "=".
        const bool softBreak = line->endsWith('=') && line->toUpper().contains("QUOTED-PRINTABLE");
        std::optional<QByteArray> next = physical();
        if (!next)
            break;
        if (softBreak) {
            line->chop(1);
            *line += *next;
        } else if (next->startsWith(' ') || next->startsWith('\t')) {
            *line += next->mid(1); // a folded line
        } else {
            pending_ = std::move(next);
            break;
        }
        if (line->size() > kLargestCard)
            break;
    }
    return line;
}

bool VCardSource::next(MailingRow& row) {
    for (;;) {
        std::optional<QByteArray> line = nextLine();
        while (line && line->trimmed().toUpper() != "BEGIN:VCARD")
            line = nextLine();
        if (!line)
            return false;
        Card card;
        card.line = line_ - (pending_ ? 1 : 0);
        int depth = 0;
        bool ended = false;
        while ((line = nextLine())) {
            const QByteArray upper = line->trimmed().toUpper();
            if (upper == "BEGIN:VCARD") {
                ++depth; // a card inside (a 2.1 AGENT): not this contact's
            } else if (upper == "END:VCARD") {
                if (depth-- == 0) {
                    ended = true;
                    break;
                }
            } else if (depth == 0 && (card.bytes += line->size()) <= kLargestCard) {
                if (std::optional<Property> property = parseLine(*line))
                    card.properties.push_back(std::move(*property));
            }
        }
        if (!ended) {
            leaveOut(card.line, QStringLiteral("the card is cut off: the file ends before its "
                                               "END:VCARD"));
            return false;
        }
        if (card.bytes > kLargestCard) {
            leaveOut(card.line, QStringLiteral("the card is larger than 1 MB"));
            continue;
        }
        if (std::optional<QStringList> fields = rowOf(card, card.line)) {
            row.number = card.line;
            row.fields = std::move(*fields);
            return true;
        }
    }
}

std::optional<QStringList> VCardSource::rowOf(const Card& card, qint64 number) {
    QStringList name;  // family, given, additional
    QString formatted; // FN
    QString organization;
    const Property* address = nullptr;
    const char* wanted = type_ == AddressType::Work ? "work" : "home";
    for (const Property& property : card.properties) {
        if (property.name == "N" && name.isEmpty())
            name = components(textOf(property));
        else if (property.name == "FN" && formatted.isEmpty())
            formatted = components(textOf(property)).join(QLatin1Char(' '));
        else if (property.name == "ORG" && organization.isEmpty())
            organization = components(textOf(property)).value(0);
        else if (property.name == "ADR" &&
                 (address == nullptr || (marked(property, wanted) && !marked(*address, wanted)) ||
                  (!marked(*address, wanted) && preferred(property) && !preferred(*address))))
            address = &property;
    }
    QString first = name.value(1);
    const QString middle = name.value(2);
    QString last = name.value(0);
    if (first.isEmpty() && last.isEmpty())
        first = formatted; // a card named only as a whole
    if (address == nullptr) {
        const QString who = QStringList{first, middle, last}.join(QLatin1Char(' ')).simplified();
        leaveOut(number, QStringLiteral("no postal address in the card of %1")
                             .arg(who.isEmpty() ? organization : who));
        return std::nullopt;
    }
    // ADR: post office box; extended address; street; locality; region; postal code; country.
    const QStringList parts = components(textOf(*address));
    QString street = parts.value(2);
    if (street.isEmpty() && !parts.value(0).isEmpty())
        street = QStringLiteral("PO Box ") + parts.value(0);
    return QStringList{first,          middle,         last,           organization,
                       street,         parts.value(1), parts.value(3), parts.value(4),
                       parts.value(5), parts.value(6)};
}

} // namespace tav
