#include "imb_settings_dialog.h"

#include "intelligent_mail_fields.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ImbSettingsDialog::ImbSettingsDialog(const ImbFields& fields, const QString& change,
                                     QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ImbSettingsDialog"));
    setWindowTitle(QStringLiteral("Intelligent Mail Barcode"));
    const auto field = [this](const char* name, const QString& value) {
        auto* edit = new QLineEdit(value, this);
        edit->setObjectName(QString::fromLatin1(name));
        connect(edit, &QLineEdit::textChanged, this, &ImbSettingsDialog::check);
        return edit;
    };
    mailerId_ = field("mailer_id_txt", fields.mailerId);
    mailerId_->setPlaceholderText(QStringLiteral("6 or 9 digits, from the postal service"));
    serviceType_ = field("service_txt", fields.serviceType);
    barcodeId_ = field("barcode_id_txt", fields.barcodeId);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Mailer ID:"), mailerId_);
    form->addRow(QStringLiteral("&Service type (STID):"), serviceType_);
    form->addRow(QStringLiteral("&Barcode ID:"), barcodeId_);
    auto* about = new QLabel(
        QStringLiteral("Each piece gets a tracking code of these fields and a serial number "
                       "counted from 1 for each mailing opened.%1")
            .arg(change.isEmpty() ? QString() : QStringLiteral("\n\n") + change),
        this);
    about->setWordWrap(true);
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("problem_lbl"));
    problem_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(about);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    check();
}

ImbFields ImbSettingsDialog::fields() const {
    return {barcodeId_->text().trimmed(), serviceType_->text().trimmed(),
            mailerId_->text().trimmed()};
}

void ImbSettingsDialog::check() {
    namespace imb = tav::IntelligentMail;
    const ImbFields now = fields();
    QString problem;
    for (const QString& why :
         {imb::mailerIdProblem(now.mailerId), imb::serviceTypeProblem(now.serviceType),
          imb::barcodeIdProblem(now.barcodeId)})
        if (problem.isEmpty() && !why.isEmpty())
            problem = why.at(0).toUpper() + why.mid(1) + QLatin1Char('.');
    problem_->setText(problem);
    ok_->setEnabled(problem.isEmpty());
}
