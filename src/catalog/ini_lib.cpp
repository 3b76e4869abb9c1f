#include "ini_lib.h"

#include "tav_error.h"
#include "units.h"

#include <QFile>

#include <cmath>

namespace tav::IniLib {

namespace {

bool parseNumber(const QString& text, double& value) {
    bool ok = false;
    value = text.trimmed().toDouble(&ok); // C locale: "2,5" is no number
    return ok && std::isfinite(value);
}

} // namespace

QString ProfileLookup(const QByteArray& content, const QString& section, const QString& key) {
    QByteArrayView text(content);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    bool inSection = false;
    bool sectionSeen = false;
    while (!text.isEmpty()) {
        const qsizetype end = text.indexOf('\n');
        const QByteArrayView rawLine = end < 0 ? text : text.first(end);
        text = end < 0 ? QByteArrayView() : text.sliced(end + 1);
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            if (inSection)
                return {}; // the first section of that name was searched in vain
            inSection = !sectionSeen && name.compare(section.trimmed(), Qt::CaseInsensitive) == 0;
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        if (!inSection || line.startsWith(QLatin1Char(';')))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        // Names in the file are trimmed, so a name asked for with blanks around it matches too.
        if (line.left(equals).trimmed().compare(key.trimmed(), Qt::CaseInsensitive) == 0)
            return line.mid(equals + 1).trimmed().left(MaxValueLength);
    }
    return {};
}

QString ProfileGetString(const QString& file, const QString& section, const QString& key) {
    if (file.isEmpty())
        return {};
    QFile profile(file);
    if (!profile.open(QIODevice::ReadOnly))
        return {};
    return ProfileLookup(profile.readAll(), section, key);
}

QString ProfileGetValue(const QString& file, const QString& section, const QString& key,
                        const QString& defaultValue) {
    const QString value = ProfileGetString(file, section, key);
    return value.trimmed().isEmpty() ? defaultValue : value;
}

QStringList ProfileGetList(const QString& file, const QString& section, const QString& key,
                           int upperBound) {
    QStringList list;
    int count = 0;
    for (int i = 1; i <= upperBound; ++i) {
        const QString value =
            ProfileGetString(file, section, QStringLiteral("%1(%2)").arg(key).arg(i));
        if (!value.isEmpty())
            count = i;
        list.append(BlankIfBacktick(value.trimmed()));
    }
    if (count == 0) {
        const QString single = ProfileGetString(file, section, key).trimmed();
        if (!single.isEmpty())
            return {BlankIfBacktick(single)};
        return {};
    }
    return list.mid(0, count);
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
