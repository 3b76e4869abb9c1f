#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

/// The fixed fields of the Intelligent Mail barcode's tracking codes.
struct ImbFields {
    QString barcodeId = QStringLiteral("00");
    QString serviceType = QStringLiteral("700");
    QString mailerId; // the postal service gives it; "" until the user does
};

/// Asks for the mailer identifier, service type and barcode identifier before the demo prints
/// Intelligent Mail barcodes, says what else changes (`change`, e.g. wider labels), and refuses
/// fields that make no tracking code.
class ImbSettingsDialog : public QDialog {
    Q_OBJECT

public:
    ImbSettingsDialog(const ImbFields& fields, const QString& change, QWidget* parent = nullptr);

    /// The fields as entered.
    ImbFields fields() const;

private:
    void check();

    QLineEdit* mailerId_;
    QLineEdit* serviceType_;
    QLineEdit* barcodeId_;
    QLabel* problem_;
    QPushButton* ok_;
};
