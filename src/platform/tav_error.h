#pragma once

#include "mailpiece_export.h"

#include <QByteArray>
#include <QString>

#include <exception>
#include <memory>

namespace tav {

/// Numbers of the classic runtime errors that the library raises as they stand.
namespace ErrorNumber {
inline constexpr qint32 InvalidArgument = 5;
inline constexpr qint32 Overflow = 6;
inline constexpr qint32 SubscriptOutOfRange = 9;
inline constexpr qint32 DivisionByZero = 11;
inline constexpr qint32 BadFileNameOrNumber = 52;
inline constexpr qint32 DeviceIO = 57;
inline constexpr qint32 InputPastEndOfFile = 62;
inline constexpr qint32 PathFileAccess = 75;
inline constexpr qint32 ObjectNotSet = 91;
inline constexpr qint32 InvalidPropertyValue = 380;
inline constexpr qint32 NotSettableAtDesignTime = 387;
inline constexpr qint32 NotSupportedByObject = 438;
} // namespace ErrorNumber

/// Base added to a library error code to form its automation error number.
inline constexpr qint32 ObjectErrorBase = static_cast<qint32>(0x80040000u);
/// The one code with which the records report a trapped failure.
inline constexpr int LibraryErrorCode = 9999;

/// An automation error: what every failure a caller can cause is raised as.
class MAILPIECE_EXPORT TavError : public std::exception {
public:
    /// `detail`, when given, is the part of `description` a person needs (no standard text).
    TavError(qint32 number, QString source, QString description, QString detail = {});

    /// Error number: a classic runtime number, or a library code plus ObjectErrorBase.
    qint32 number() const { return number_; }
    /// Class and member that failed, e.g. "TavItemCls:Font Property Set".
    const QString& source() const { return source_; }
    /// Human-readable description of the failure.
    const QString& description() const { return description_; }
    /// What went wrong in the user's words: the description without the standard text of the
    /// error number ("cannot read m.csv: No such file or directory").
    const QString& detail() const { return detail_; }
    /// "source: description (error N)" in UTF-8.
    const char* what() const noexcept override { return what_.constData(); }

private:
    qint32 number_;
    QString source_;
    QString description_;
    QString detail_;
    QByteArray what_;
};

/// What a person is told of `error`: a TavError's detail, else the exception's own text.
MAILPIECE_EXPORT QString userText(const std::exception& error);

/// The common reporter: raises library error `code` (number = code + ObjectErrorBase) from
/// `source`, described by the code's resource text or "An unknown error has occurred!".
[[noreturn]] MAILPIECE_EXPORT void reportError(int code, const QString& source);

/// Raises classic runtime error `number` with its standard text, followed by `detail` if given.
[[noreturn]] MAILPIECE_EXPORT void raiseError(qint32 number, const QString& source,
                                              const QString& detail = {});

/// `object` itself; raises library error 9999 from `source` when it is null (a record or control
/// always needs its font and picture objects).
template <typename T>
std::shared_ptr<T> requireObject(std::shared_ptr<T> object, const QString& source) {
    if (!object)
        reportError(LibraryErrorCode, source);
    return object;
}

} // namespace tav
