#include "mailpiece_widgets.h"

#include "control_plugin.h"
#include "tav_label.h"
#include "tav_mail.h"

MailpieceWidgets::MailpieceWidgets(QObject* parent)
    : QObject(parent) {
    // Inside Designer a control starts with a new control's design; a form loaded at run time
    // brings its own.
    widgets_ << new ControlPlugin(
        QStringLiteral("tav::TavLabel"), QStringLiteral("mailpiece/tav_label.h"),
        QStringLiteral("Address labels on sheets of labels, with POSTNET bar codes"),
        [](QWidget* parent, bool designing) {
            auto* label = new tav::TavLabel(parent);
            if (designing)
                label->InitProperties();
            return label;
        },
        this);
    widgets_ << new ControlPlugin(
        QStringLiteral("tav::TavMail"), QStringLiteral("mailpiece/tav_mail.h"),
        QStringLiteral("Envelopes with delivery and return address and a POSTNET bar code"),
        [](QWidget* parent, bool designing) {
            auto* mail = new tav::TavMail(parent);
            mail->setDesignMode(designing);
            if (designing)
                mail->InitProperties();
            return mail;
        },
        this);
}
