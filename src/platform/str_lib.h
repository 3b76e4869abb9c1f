#pragma once

#include "mailpiece_export.h"

#include <QString>

#include <functional>

/// String splitting and token substitution; separators compare exactly, case-sensitively.
namespace tav::StrLib {

/// The text before the first `sep`; the whole text when `sep` does not occur.
MAILPIECE_EXPORT QString TextBefore(const QString& text, const QString& sep);
/// The text after the first `sep`; "" when `sep` does not occur.
MAILPIECE_EXPORT QString TextAfter(const QString& text, const QString& sep);
/// The text after the last `sep`; the whole text when `sep` does not occur.
MAILPIECE_EXPORT QString TextAfterLast(const QString& text, const QString& sep);

/// `text` without its leading and trailing spaces (other white space stays).
MAILPIECE_EXPORT QString TrimSpaces(const QString& text);

/// `text` with every "<<name>>" replaced by the value paired with name in `list`
/// (name pairSep value, entries separated by itemSep). Replacement text is not scanned again;
/// a value written by EscapeValue is put back as it was given.
MAILPIECE_EXPORT QString SubstituteTokens(const QString& text, const QString& list,
                                          const QString& pairSep, const QString& itemSep);

/// `text` with each "<<name>>" for which `append(name, result)` appends a value and returns
/// true replaced by that value; the others stay as written. Replacement text is not scanned
/// again, so a value that holds a placeholder prints as written.
MAILPIECE_EXPORT QString ReplacePlaceholders(
    const QString& text, const std::function<bool(QStringView name, QString& result)>& append);

/// `value` made fit to stand in a substitution list: "|" and "^" become Unicode noncharacters
/// (which no list uses), and a noncharacter of that kind is marked, so that any text survives.
MAILPIECE_EXPORT QString EscapeValue(const QString& value);
/// Appends `value` to `out` as it was before EscapeValue.
MAILPIECE_EXPORT void AppendUnescaped(QString& out, QStringView value);

} // namespace tav::StrLib
