#pragma once

#include "mailpiece_export.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

namespace tav {

/// Appends one piece store line to `out`: three double-quoted UTF-8 fields separated by commas,
/// ended by CR LF. A double quote inside a value is written twice; nothing else is escaped, so a
/// line without quotes is exactly the plain three-field form.
MAILPIECE_EXPORT void appendStoreLine(QByteArray& out, const QString& first, const QString& second,
                                      const QString& third);

/// Reads piece store fields from a byte source. A quoted field runs to its closing quote (a
/// doubled quote stands for one; commas and line breaks may stand inside); anything between the
/// closing quote and the next comma or line end is skipped. An unquoted field runs to the next
/// comma or line end, without surrounding spaces.
class MAILPIECE_EXPORT StoreFieldReader {
public:
    /// The bytes from the reading position on, as many as lie together (at least one unless
    /// the source has ended); they stay valid until the next call.
    using Window = std::function<QByteArrayView()>;
    /// Consumes `count` bytes.
    using Advance = std::function<void(qsizetype count)>;

    StoreFieldReader(Window window, Advance advance);

    /// Reads the next field and the separator after it; a field cut off by the end of the source
    /// returns what was read.
    QString readField();

private:
    int peek() const;
    void skipToSeparator();
    void skipSeparator();

    Window window_;
    Advance advance_;
};

} // namespace tav
