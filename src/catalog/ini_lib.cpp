#include "ini_lib.h"

#include "tav_error.h"
#include "units.h"

#include <QFile>
#include <QSet>

#include <cmath>

namespace tav::IniLib {

namespace {

bool parseNumber(const QString& text, double& value) {
    bool ok = false;
    value = text.trimmed().toDouble(&ok); // C locale: "2,5" is no number
    return ok && std::isfinite(value);
}

// One line of a profile: a section header, an entry, or nothing to read (blank, comment).
struct ProfileLine {
    enum Kind { Other, Section, Entry } kind = Other;
    QString name; // the section's or the entry's, trimmed
    QString value;
};

ProfileLine parseLine(QByteArrayView rawLine) {
    const QString line = QString::fromUtf8(rawLine).trimmed();
    if (line.startsWith(QLatin1Char('['))) {
        const qsizetype close = line.indexOf(QLatin1Char(']'));
        return {ProfileLine::Section, line.mid(1, close < 0 ? -1 : close - 1).trimmed(), {}};
    }
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (line.startsWith(QLatin1Char(';')) || equals < 0)
        return {};
    return {ProfileLine::Entry, line.left(equals).trimmed(),
            line.mid(equals + 1).trimmed().left(MaxValueLength)};
}

// Calls `visit` with each line of `content` (a leading byte-order mark skipped) until it returns
// false.
template <typename Visit> void forEachLine(const QByteArray& content, Visit&& visit) {
    QByteArrayView text(content);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    while (!text.isEmpty()) {
        const qsizetype end = text.indexOf('\n');
        const QByteArrayView rawLine = end < 0 ? text : text.first(end);
        text = end < 0 ? QByteArrayView() : text.sliced(end + 1);
        if (!visit(parseLine(rawLine)))
            return;
    }
}

QByteArray readProfile(const QString& file) {
    if (file.isEmpty())
        return {};
    QFile profile(file);
    return profile.open(QIODevice::ReadOnly) ? profile.readAll() : QByteArray();
}

// The numbered list key(1) .. key(upperBound) as `get` reads each key, or the plain key.
template <typename Get> QStringList numberedList(const QString& key, int upperBound, Get&& get) {
    QStringList list;
    int count = 0;
    for (int i = 1; i <= upperBound; ++i) {
        const QString value = get(QStringLiteral("%1(%2)").arg(key).arg(i));
        if (!value.isEmpty())
            count = i;
        list.append(BlankIfBacktick(value.trimmed()));
    }
    if (count == 0) {
        const QString single = get(key).trimmed();
        if (!single.isEmpty())
            return {BlankIfBacktick(single)};
        return {};
    }
    return list.mid(0, count);
}

} // namespace

QString ProfileLookup(const QByteArray& content, const QString& section, const QString& key) {
    bool inSection = false;
    bool sectionSeen = false;
    QString found;
    forEachLine(content, [&](const ProfileLine& line) {
        if (line.kind == ProfileLine::Section) {
            if (inSection)
                return false; // the first section of that name was searched in vain
            inSection =
                !sectionSeen && line.name.compare(section.trimmed(), Qt::CaseInsensitive) == 0;
            sectionSeen = sectionSeen || inSection;
            return true;
        }
        // Names in the file are trimmed, so a name asked for with blanks around it matches too.
        if (inSection && line.kind == ProfileLine::Entry &&
            line.name.compare(key.trimmed(), Qt::CaseInsensitive) == 0) {
            found = line.value;
            return false;
        }
        return true;
    });
    return found;
}

Profile::Profile(const QString& file) {
    QSet<QString> seen;
    QHash<QString, QString>* current = nullptr;
    forEachLine(readProfile(file), [&](const ProfileLine& line) {
        if (line.kind == ProfileLine::Section) {
            const QString name = line.name.toLower();
            // Only the first section of a name is read, as a lookup would.
            current = seen.contains(name) ? nullptr : &sections_[name];
            seen.insert(name);
        } else if (line.kind == ProfileLine::Entry && current != nullptr) {
            const QString key = line.name.toLower();
            if (!current->contains(key)) // the first key wins
                current->insert(key, line.value);
        }
        return true;
    });
}

QString Profile::value(const QString& section, const QString& key) const {
    const auto found = sections_.constFind(section.trimmed().toLower());
    return found == sections_.cend() ? QString() : found->value(key.trimmed().toLower());
}

QStringList Profile::list(const QString& section, const QString& key, int upperBound) const {
    return numberedList(key, upperBound, [&](const QString& name) { return value(section, name); });
}

QString ProfileGetString(const QString& file, const QString& section, const QString& key) {
    return ProfileLookup(readProfile(file), section, key);
}

QString ProfileGetValue(const QString& file, const QString& section, const QString& key,
                        const QString& defaultValue) {
    const QString value = ProfileGetString(file, section, key);
    return value.trimmed().isEmpty() ? defaultValue : value;
}

QStringList ProfileGetList(const QString& file, const QString& section, const QString& key,
                           int upperBound) {
    return numberedList(key, upperBound,
                        [&](const QString& name) { return ProfileGetString(file, section, name); });
}

QString BlankIfBacktick(const QString& text) {
    return text == QLatin1String("`") ? QString() : text;
}

double ToNumber(const QString& text) {
    double value = 0;
    return parseNumber(text, value) ? value : 0.0;
}

qint16 ToCount(const QString& text) {
    double value = 0;
    if (!parseNumber(text, value))
        return 0;
    const qint32 rounded = roundToInt(value, QStringLiteral("IniLib:ToCount"));
    if (rounded < -32768 || rounded > 32767)
        raiseError(ErrorNumber::Overflow, QStringLiteral("IniLib:ToCount"),
                   QStringLiteral("the count %1 does not fit 16 bits").arg(text.trimmed()));
    return static_cast<qint16>(rounded);
}

} // namespace tav::IniLib
