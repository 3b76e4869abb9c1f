#include "tav_error.h"

#include <QCoreApplication>

namespace tav {

namespace {

QString standardText(qint32 number) {
    switch (number) {
    case ErrorNumber::InvalidArgument:
        return QStringLiteral("Invalid procedure call or argument");
    case ErrorNumber::Overflow:
        return QStringLiteral("Overflow");
    case ErrorNumber::SubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case ErrorNumber::DivisionByZero:
        return QStringLiteral("Division by zero");
    case ErrorNumber::BadFileNameOrNumber:
        return QStringLiteral("Bad file name or number");
    case ErrorNumber::DeviceIO:
        return QStringLiteral("Device I/O error");
    case ErrorNumber::InputPastEndOfFile:
        return QStringLiteral("Input past end of file");
    case ErrorNumber::PathFileAccess:
        return QStringLiteral("Path/File access error");
    case ErrorNumber::ObjectNotSet:
        return QStringLiteral("Object variable or With block variable not set");
    case ErrorNumber::InvalidPropertyValue:
        return QStringLiteral("Invalid property value");
    case ErrorNumber::NotSettableAtDesignTime:
        return QStringLiteral("Property can't be set at design time");
    case ErrorNumber::NotSupportedByObject:
        return QStringLiteral("Object doesn't support this property or method");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

// The library ships no resource texts of its own; a translation may supply one per code.
QString resourceText(int code) {
    const QByteArray key = "error " + QByteArray::number(code);
    const QString translated = QCoreApplication::translate("tav::TavError", key.constData());
    if (translated != QLatin1String(key))
        return translated;
    return QStringLiteral("An unknown error has occurred!");
}

} // namespace

TavError::TavError(qint32 number, QString source, QString description, QString detail)
    : number_(number)
    , source_(std::move(source))
    , description_(std::move(description))
    , detail_(detail.isEmpty() ? description_ : std::move(detail))
    , what_(QStringLiteral("%1: %2 (error %3)").arg(source_, description_).arg(number_).toUtf8()) {
}

void reportError(int code, const QString& source) {
    throw TavError(code + ObjectErrorBase, source, resourceText(code));
}

void raiseError(qint32 number, const QString& source, const QString& detail) {
    QString description = standardText(number);
    if (!detail.isEmpty())
        description += QStringLiteral(": ") + detail;
    throw TavError(number, source, description, detail);
}

QString userText(const std::exception& error) {
    if (const auto* raised = dynamic_cast<const TavError*>(&error))
        return raised->detail();
    return QString::fromLocal8Bit(error.what());
}

} // namespace tav
