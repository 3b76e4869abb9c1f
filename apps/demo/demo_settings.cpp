#include "demo_settings.h"

#include <QFileInfo>

namespace {

const QString kFolder = QStringLiteral("mailing/folder");
const QString kRecent = QStringLiteral("mailing/recent");
const QString kLabelPiece = QStringLiteral("piece/label");
const QString kLabelRotation = QStringLiteral("piece/labelRotation");
const QString kEnvelopePiece = QStringLiteral("piece/envelope");
const QString kView = QStringLiteral("view/appearance");
const QString kPage = QStringLiteral("view/page");

// A printer's name as one settings key: its slashes would make groups.
QString printerKey(const QString& printer, const char* offset) {
    QString name = printer;
    name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    return QStringLiteral("printers/%1/%2").arg(name, QLatin1String(offset));
}

} // namespace

QString DemoSettings::mailingFolder() const {
    return settings_.value(kFolder).toString();
}

QStringList DemoSettings::recentMailings() const {
    return settings_.value(kRecent).toStringList().mid(0, RecentCount);
}

void DemoSettings::addRecentMailing(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList recent = recentMailings();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    settings_.setValue(kRecent, recent.mid(0, RecentCount));
    settings_.setValue(kFolder, QFileInfo(absolute).absolutePath());
}

void DemoSettings::removeRecentMailing(const QString& path) {
    QStringList recent = recentMailings();
    recent.removeAll(QFileInfo(path).absoluteFilePath());
    settings_.setValue(kRecent, recent);
}

QString DemoSettings::labelPiece() const {
    return settings_.value(kLabelPiece).toString();
}

std::optional<qint16> DemoSettings::labelRotation() const {
    const QVariant kept = settings_.value(kLabelRotation);
    if (!kept.isValid())
        return std::nullopt;
    return kept.toInt() == 90 ? 90 : 0;
}

void DemoSettings::setLabelRotation(std::optional<qint16> degrees) {
    if (degrees)
        settings_.setValue(kLabelRotation, *degrees);
    else
        settings_.remove(kLabelRotation);
}

void DemoSettings::setLabelPiece(const QString& name) {
    settings_.setValue(kLabelPiece, name);
}

QString DemoSettings::envelopePiece() const {
    return settings_.value(kEnvelopePiece).toString();
}

void DemoSettings::setEnvelopePiece(const QString& name) {
    settings_.setValue(kEnvelopePiece, name);
}

int DemoSettings::view() const {
    return std::clamp(settings_.value(kView, 2).toInt(), 0, 2);
}

void DemoSettings::setView(int view) {
    settings_.setValue(kView, view);
}

int DemoSettings::page() const {
    return std::clamp(settings_.value(kPage, 0).toInt(), 0, 1);
}

void DemoSettings::setPage(int page) {
    settings_.setValue(kPage, page);
}

std::optional<std::pair<float, float>> DemoSettings::offsets(const QString& printer) const {
    bool topOk = false;
    bool leftOk = false;
    const float top = settings_.value(printerKey(printer, "top")).toFloat(&topOk);
    const float left = settings_.value(printerKey(printer, "left")).toFloat(&leftOk);
    if (!topOk || !leftOk)
        return std::nullopt;
    return std::make_pair(top, left);
}

void DemoSettings::setOffsets(const QString& printer, float top, float left) {
    settings_.setValue(printerKey(printer, "top"), top);
    settings_.setValue(printerKey(printer, "left"), left);
}

QString DemoSettings::designFile(int page) const {
    return settings_.value(QStringLiteral("design/%1").arg(page)).toString();
}

void DemoSettings::setDesignFile(int page, const QString& path) {
    settings_.setValue(QStringLiteral("design/%1").arg(page), path);
}

ImbFields DemoSettings::imbFields() const {
    const ImbFields defaults;
    return {settings_.value(QStringLiteral("imb/barcode-id"), defaults.barcodeId).toString(),
            settings_.value(QStringLiteral("imb/service"), defaults.serviceType).toString(),
            settings_.value(QStringLiteral("imb/mailer-id"), defaults.mailerId).toString()};
}

void DemoSettings::setImbFields(const ImbFields& fields) {
    settings_.setValue(QStringLiteral("imb/barcode-id"), fields.barcodeId);
    settings_.setValue(QStringLiteral("imb/service"), fields.serviceType);
    settings_.setValue(QStringLiteral("imb/mailer-id"), fields.mailerId);
}
