#include "tav_piece.h"

#include "message_sink.h"
#include "printer.h"
#include "tav_error.h"
#include "tav_meta_cls.h"
#include "units.h"

#include <QGuiApplication>
#include <QPainter>

namespace tav {

namespace {

const QString kSource = QStringLiteral("TavPiece");

// Shows the busy cursor while a piece is recorded, when there is a screen to show it on.
class BusyCursor {
public:
    BusyCursor()
        : active_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (active_)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyCursor() {
        if (active_)
            QGuiApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool active_;
};

} // namespace

TavPiece::TavPiece(QWidget* parent)
    : RenderChild(parent)
    , picture_(std::make_shared<TavPicture>()) {
}

void TavPiece::setBorderStyle(qint16 style) {
    borderStyle_ = style;
    update();
}

void TavPiece::setBackColor(OleColor color) {
    backColor_ = color;
    update();
}

void TavPiece::setPicture(std::shared_ptr<TavPicture> picture) {
    picture_ = requireObject(std::move(picture), QStringLiteral("TavPiece:Picture Property Set"));
}

void TavPiece::setTextSubstitute(const QString& text) {
    textSubstitute_ = text;
    update();
}

QList<QWidget*> TavPiece::containedControls() const {
    return findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

void TavPiece::MFRender(TavMetaCls& meta, qint32 left, qint32 top) {
    const BusyCursor busy;
    meta.setBorderStyle(TavEnumCls::moSolid);
    meta.setBorderWidth(1);
    meta.setBorderColor(foreColor_);
    meta.setFillColor(backColor_);
    meta.DrawRect(left, top, widthTwips(), heightTwips(), true);
    if (borderStyle_ == 1) {
        meta.setBorderColor(OleColors::Black);
        meta.DrawRect(left, top, widthTwips(), heightTwips());
    }
    if (depth_ < SheetWithTexts)
        return;
    for (QWidget* control : containedControls()) {
        if (control->isHidden())
            continue;
        auto* child = dynamic_cast<RenderChild*>(control);
        try {
            if (child == nullptr)
                raiseError(ErrorNumber::ObjectNotSet, kSource, QStringLiteral("not drawable"));
            child->MFRender(meta, checkedAdd(child->leftTwips(), left, kSource),
                            checkedAdd(child->topTwips(), top, kSource));
        } catch (const TavError&) {
            reportNotDrawn(control->objectName());
        }
    }
}

void TavPiece::PrintSelf(qint32 left, qint32 top) {
    printBox(left, top, printWhiteBacks_, backColor_, picture_.get(), borderStyle_ == 1);
    for (QWidget* control : containedControls()) {
        if (control->isHidden())
            continue;
        auto* child = dynamic_cast<RenderChild*>(control);
        if (child == nullptr)
            raiseError(ErrorNumber::ObjectNotSet, kSource,
                       QStringLiteral("%1 cannot print itself").arg(control->objectName()));
        child->PrintSelf(checkedAdd(child->leftTwips(), left, kSource),
                         checkedAdd(child->topTwips(), top, kSource));
    }
}

void TavPiece::RenderSelf(QPaintDevice* device, qint32 left, qint32 top, qint16 size) {
    TavMetaCls meta;
    if (!meta.CreateMetaObject(device))
        return;
    MFRender(meta, left, top);
    meta.PrintMetaObject(device, size);
}

} // namespace tav
