// The envelope control's design in the host's property bag: the display and printing settings
// of TavLabel1, the seven item records under their role names, and the bar code position.

#include "item_record_keys.h"
#include "piece_definition.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_mail.h"
#include "tav_mail_p.h"

#include <cmath>

namespace tav {

namespace {

const QString kSource = QStringLiteral("TavMail");

// The item records under their role names, item 1 first; saved for the host, never read back.
const char* const kRoleKeys[] = {"DeliveryAddress", "ReturnAddress", "Message1", "Message2",
                                 "Stamp",           "Message3",      "Message4"};

} // namespace

void TavMail::InitProperties() {
    d->label->InitProperties();
    d->label->setPieceName(QString::fromLatin1(eLabel::DefaultPieceName));
    DeliveryAddress()->setTextControl(QStringLiteral("<<DeliveryAddress>>"));
    setBarCode_Position(TavEnumCls::TavBelowAddress);
}

void TavMail::WriteProperties(PropertyBag& bag) const {
    bag.write(QStringLiteral("Appearance"), Appearance(), 0);
    bag.write(QStringLiteral("Enabled"), Enabled(), false);
    bag.write(QStringLiteral("FreezeDisplay"), FreezeDisplay(), false);
    bag.write(QStringLiteral("PieceName"), PieceName(), QString());
    bag.write(QStringLiteral("PrinterLeft"), PrinterLeft(), 0.0f);
    bag.write(QStringLiteral("PrinterTop"), PrinterTop(), 0.0f);
    bag.write(QStringLiteral("ShowCenter"), ShowCenter(), QString());
    bag.write(QStringLiteral("ShowLeftBtns"), ShowLeftBtns(), QString());
    bag.write(QStringLiteral("ShowRightBtns"), ShowRightBtns(), QString());
    for (int i = 0; i < 7; ++i)
        writeItemRecord(bag, QLatin1String(kRoleKeys[i]), *d->label->itemProperties(i + 1));
    bag.write(QStringLiteral("BarCode_Position"), d->barCodePosition, 0);
}

void TavMail::ReadProperties(const PropertyBag& bag) {
    // The piece (applied all or nothing) goes first, so that a damaged catalogue entry changes
    // nothing; an offset that is not a number keeps its default, and the other keys still read.
    const auto offset = [&bag](const char* key) {
        const float inches = bag.read(QLatin1String(key), 0.0f).toFloat();
        return std::isfinite(inches) ? inches : 0.0f;
    };
    const float left = offset("PrinterLeft");
    const float top = offset("PrinterTop");
    d->label->setPieceName(bag.read(QStringLiteral("PieceName"), QString()).toString());
    d->label->setPrinterLeft(left);
    d->label->setPrinterTop(top);
    d->label->setAppearance(bag.read(QStringLiteral("Appearance"), 0).toInt());
    d->label->setEnabledFlag(bag.read(QStringLiteral("Enabled"), false).toBool());
    d->label->setFreezeDisplay(bag.read(QStringLiteral("FreezeDisplay"), false).toBool());
    d->label->setShowCenter(bag.read(QStringLiteral("ShowCenter"), QString()).toString());
    d->label->setShowLeftBtns(bag.read(QStringLiteral("ShowLeftBtns"), QString()).toString());
    d->label->setShowRightBtns(bag.read(QStringLiteral("ShowRightBtns"), QString()).toString());
    d->barCodePosition = bag.read(QStringLiteral("BarCode_Position"), 0).toInt();
}

QString TavMail::Design() const {
    return designText([this](PropertyBag& bag) { WriteProperties(bag); });
}

void TavMail::setDesign(const QString& design) {
    readDesignText(
        design,
        [this](const PropertyBag& bag) {
            ReadProperties(bag);
            // The piece applied gives the bar code its catalogue box, which the bars may not
            // fit: the position saved places it, as setting the position does.
            placeBarCode();
            emit propertyChanged(QStringLiteral("Design"));
        },
        kSource);
}

} // namespace tav
