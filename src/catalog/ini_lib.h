#pragma once

#include "mailpiece_export.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

/// Private-profile (INI) reading with the platform reader's rules: section and key names match
/// without regard to case, the first match wins, values are trimmed and cut to 254 characters.
/// Nothing is cached: every read reads the file again.
namespace tav::IniLib {

/// Longest value seen: the platform reader's buffer of 255 characters, less its terminator.
inline constexpr int MaxValueLength = 254;

/// The value of `key` in `section` of the profile text `content`, or "" when there is none.
MAILPIECE_EXPORT QString ProfileLookup(const QByteArray& content, const QString& section,
                                       const QString& key);
/// The value of `key` in `section` of the file at `file`, or "" when file, section or key is
/// missing.
MAILPIECE_EXPORT QString ProfileGetString(const QString& file, const QString& section,
                                          const QString& key);
/// The value as read, or `defaultValue` when it is blank.
MAILPIECE_EXPORT QString ProfileGetValue(const QString& file, const QString& section,
                                         const QString& key, const QString& defaultValue);
/// The numbered list key(1) .. key(`upperBound`), or the plain key when no numbered one has a
/// value. Its length is the highest index with a value; gaps and "`" give empty entries.
MAILPIECE_EXPORT QStringList ProfileGetList(const QString& file, const QString& section,
                                            const QString& key, int upperBound);
/// A profile file read once and indexed, for the many lookups of a catalogue (a large file read
/// again for every key took time in the square of its size); the same rules as above.
class MAILPIECE_EXPORT Profile {
public:
    /// Reads `file`; a missing or unreadable file holds nothing.
    explicit Profile(const QString& file);
    /// As ProfileGetString.
    QString value(const QString& section, const QString& key) const;
    /// As ProfileGetList.
    QStringList list(const QString& section, const QString& key, int upperBound) const;

private:
    QHash<QString, QHash<QString, QString>> sections_; // names folded to lower case
};

/// "" for the text "`", else the text.
MAILPIECE_EXPORT QString BlankIfBacktick(const QString& text);
/// A measure: the decimal number in `text`, or 0 when it is blank, "." or not a finite number.
MAILPIECE_EXPORT double ToNumber(const QString& text);
/// A count: the number in `text` rounded halves to even, 0 when not numeric. Raises error 6
/// when the number lies outside -32768 .. 32767.
MAILPIECE_EXPORT qint16 ToCount(const QString& text);

} // namespace tav::IniLib
