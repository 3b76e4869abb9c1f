// The layout editor's menus and what they do to the selected object.

#include "bar_placement.h"
#include "four_state.h"
#include "intelligent_mail.h"
#include "intelligent_mail_fields.h"
#include "layout_canvas.h"
#include "layout_change.h"
#include "layout_scale.h"
#include "message_sink.h"
#include "piece_layout_edit_form.h"
#include "tav_enum_cls.h"
#include "tav_error.h"
#include "units.h"

#include <QActionGroup>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QUndoStack>

namespace tav {

namespace {

const QString kBarPattern = QStringLiteral("||l|||lll||ll|||lll|ll|||");
const QString kIntelligentMailPattern = QStringLiteral("|'|.|,||'.|,'|.|'|,|.|'|");

} // namespace

void PieceLayoutEditForm::buildMenus() {
    auto* bar = static_cast<QMenuBar*>(layout()->menuBar());
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    buildUndoActions(edit);
    edit->addAction(QStringLiteral("&Clear"), this, [this] {
        if (selected_ == 0)
            return;
        change(QStringLiteral("Clear"), -1, [this] { objects_[selected_ - 1].text.clear(); });
    });
    edit->addAction(QStringLiteral("&Modify"), this, &PieceLayoutEditForm::modify);
    edit->addAction(QStringLiteral("&Bring To Front"), this, [this] {
        if (selected_ != 0)
            showObject(selected_); // raises it with its handles
    });
    edit->addAction(QStringLiteral("Se&nd To Back"), this, [this] {
        if (selected_ != 0)
            canvas_->lowerObject(selected_);
        canvas_->hideEditors();
    });
    edit->addAction(QStringLiteral("Default"));

    formatMenu_ = bar->addMenu(QStringLiteral("F&ormat"));
    const char* const justify[] = {"&Left Justify", "&Center Justify", "&Right Justify",
                                   "&Full Justify"};
    const int justification[] = {0, 2, 1, -1};
    for (int i = 0; i < 4; ++i) {
        justifyActions_[i] = formatMenu_->addAction(QString::fromLatin1(justify[i]));
        justifyActions_[i]->setCheckable(true);
        const int value = justification[i];
        QAction* action = justifyActions_[i];
        connect(action, &QAction::triggered, this,
                reportingSlot([this, value, action] { setJustification(value, action); }));
    }
    formatMenu_->addSeparator();
    const char* const align[] = {"&Top Alignment", "&Middle Alignment", "&Bottom Alignment"};
    for (int i = 0; i < 3; ++i) {
        alignActions_[i] = formatMenu_->addAction(QString::fromLatin1(align[i]));
        alignActions_[i]->setCheckable(true);
        connect(alignActions_[i], &QAction::triggered, this,
                reportingSlot([this, i] { setAlignment(i); }));
    }
    formatMenu_->addSeparator();
    formatMenu_->addAction(QStringLiteral("&Font"), this, reportingSlot([this] { chooseFont(); }));
    bordersAction_ = formatMenu_->addAction(QStringLiteral("Borders"));
    bordersAction_->setCheckable(true);
    connect(bordersAction_, &QAction::triggered, this,
            reportingSlot([this](bool on) { setBorder(on); }));
    connect(formatMenu_, &QMenu::aboutToShow, this, &PieceLayoutEditForm::updateFormatChecks);

    displayMenu_ = bar->addMenu(QStringLiteral("&Display"));
    for (int i = 1; i <= 8; ++i) {
        QAction* action = displayMenu_->addAction(i <= 7 ? QStringLiteral("Item &%1").arg(i)
                                                         : QStringLiteral("BarCode"));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this,
                reportingSlot([this, i](bool on) { toggleDisplay(i, on); }));
    }
    connect(displayMenu_, &QMenu::aboutToShow, this, [this] {
        for (int i = 0; i < 8; ++i)
            displayMenu_->actions().at(i)->setChecked(objects_[i].visible);
    });

    QMenu* barCode = bar->addMenu(QStringLiteral("Bar &Code"));
    auto* symbologies = new QActionGroup(this);
    const char* const names[] = {"&POSTNET", "&Intelligent Mail barcode",
                                 "&Royal Mail 4-state (RM4SCC)", "&KIX (PostNL)",
                                 "&Australia Post"};
    for (int i = 0; i < static_cast<int>(symbologyActions_.size()); ++i) {
        symbologyActions_[i] = barCode->addAction(QString::fromLatin1(names[i]));
        symbologyActions_[i]->setCheckable(true);
        symbologies->addAction(symbologyActions_[i]);
        connect(symbologyActions_[i], &QAction::triggered, this,
                reportingSlot([this, i] { setSymbology(i); }));
    }
    barCode->addSeparator();
    barCode->addAction(QStringLiteral("&Tracking Code..."), this,
                       reportingSlot([this] { askTrackingCode(); }));
}

void PieceLayoutEditForm::buildUndoActions(QMenu* edit) {
    QAction* undo = undo_->createUndoAction(this, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("edit_undo_mnu"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = undo_->createRedoAction(this, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("edit_redo_mnu"));
    // Ctrl+Shift+Z and Ctrl+Y on every platform, and the platform's own keys, each once: a key
    // bound twice is ambiguous and does nothing.
    QList<QKeySequence> keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                QKeySequence(Qt::CTRL | Qt::Key_Y)};
    for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Redo))
        if (!keys.contains(key))
            keys << key;
    redo->setShortcuts(keys);
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
}

void PieceLayoutEditForm::setSymbology(int symbology) {
    change(QStringLiteral("Bar Code"), -1, [this, symbology] { symbology_ = symbology; });
}

void PieceLayoutEditForm::showSymbology() {
    symbologyActions_
        .at(static_cast<std::size_t>(std::clamp<int>(symbology_, 0, symbologyActions_.size() - 1)))
        ->setChecked(true);
    objects_[7].text = FourState::spec(static_cast<qint16>(symbology_)) != nullptr
                           ? kIntelligentMailPattern
                           : kBarPattern;
    showObject(8);
    if (selected_ == 8)
        itemLabel_->setText(objectTitle(8));
}

void PieceLayoutEditForm::setTrackingCode(const QString& code) {
    const QString problem = code.isEmpty() ? QString() : IntelligentMail::trackingCodeProblem(code);
    if (!problem.isEmpty())
        raiseError(ErrorNumber::InvalidPropertyValue,
                   QStringLiteral("PieceLayoutEditForm:TrackingCode"),
                   QStringLiteral("TrackingCode ") + problem);
    change(QStringLiteral("Tracking Code"), -1, [this, code] { trackingCode_ = code; });
}

void PieceLayoutEditForm::askTrackingCode() {
    bool ok = false;
    const QString code = QInputDialog::getText(
        this, QStringLiteral("Tracking Code"),
        QStringLiteral("The 20-digit tracking code of the Intelligent Mail barcode:"),
        QLineEdit::Normal, trackingCode_, &ok);
    if (ok)
        setTrackingCode(code.trimmed());
}

QString PieceLayoutEditForm::objectTitle(int index) const {
    if (index != 8)
        return QStringLiteral("Item %1").arg(index);
    if (const FourState::Spec* other = FourState::spec(static_cast<qint16>(symbology_));
        other != nullptr && FourState::ofAnotherPost(other->symbology))
        return QStringLiteral("Bar Code: ") + QLatin1String(other->name);
    if (symbology_ != TavEnumCls::TavIntelligentMail)
        return QStringLiteral("Bar Code");
    QString title = QStringLiteral("Bar Code: Intelligent Mail");
    if (!trackingCode_.isEmpty())
        title += QLatin1Char(' ') + trackingCode_;
    const float width = Layout_m::TwipsToInches(static_cast<float>(objects_[7].box.width()));
    const qint32 needed = symbolLength(IntelligentMail::BarCount, IntelligentMail::Metrics);
    if (width * TwipsPerInch < static_cast<float>(needed))
        title += QStringLiteral(" (too narrow: the bars are %1 in long)")
                     .arg(static_cast<double>(needed) / TwipsPerInch, 0, 'f', 2);
    return title;
}

void PieceLayoutEditForm::updateFormatChecks() {
    if (selected_ == 0)
        return;
    const Object& o = objects_[selected_ - 1];
    const int justifyIndex = o.justification == 2 ? 1 : o.justification == 1 ? 2 : 0;
    for (int i = 0; i < 4; ++i)
        justifyActions_[i]->setChecked(i == justifyIndex);
    for (int i = 0; i < 3; ++i)
        alignActions_[i]->setChecked(i == o.alignment);
    bordersAction_->setChecked(o.border);
}

void PieceLayoutEditForm::setJustification(int justification, QAction* checked) {
    for (QAction* action : justifyActions_)
        action->setChecked(action == checked);
    if (selected_ == 0 || justification < 0)
        return; // full justification only moves the check mark
    change(QStringLiteral("Justify"), -1,
           [this, justification] { objects_[selected_ - 1].justification = justification; });
}

void PieceLayoutEditForm::setAlignment(int alignment) {
    for (int i = 0; i < 3; ++i)
        alignActions_[i]->setChecked(i == alignment);
    if (selected_ == 0)
        return;
    change(QStringLiteral("Align"), -1,
           [this, alignment] { objects_[selected_ - 1].alignment = alignment; });
}

void PieceLayoutEditForm::setBorder(bool on) {
    if (selected_ == 0)
        return;
    change(QStringLiteral("Borders"), -1, [this, on] { objects_[selected_ - 1].border = on; });
}

void PieceLayoutEditForm::chooseFont() {
    if (selected_ == 0)
        return;
    const Object& o = objects_[selected_ - 1];
    QFont current(o.fontName);
    current.setPointSizeF(o.fontSize);
    current.setBold(o.bold);
    current.setItalic(o.italic);
    current.setUnderline(o.underline);
    current.setStrikeOut(o.strikethrough);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, current, this, QStringLiteral("Font"));
    if (!ok)
        return;
    change(QStringLiteral("Font"), -1, [this, &chosen] {
        Object& font = objects_[selected_ - 1];
        font.fontName = chosen.family();
        font.fontSize = chosen.pointSizeF(); // kept unscaled; shown at the editor's scale
        font.bold = chosen.bold();
        font.italic = chosen.italic();
        font.underline = chosen.underline();
        font.strikethrough = chosen.strikeOut();
    });
}

void PieceLayoutEditForm::toggleDisplay(int index, bool on) {
    change(on ? QStringLiteral("Show") : QStringLiteral("Hide"), -1, [this, index, on] {
        Object& o = objects_[index - 1];
        o.visible = on;
        if (on) {
            constexpr int kShownWhenMadeVisible = 700; // twips
            o.box.setWidth(std::max(o.box.width(), kShownWhenMadeVisible));
            o.box.setHeight(std::max(o.box.height(), kShownWhenMadeVisible));
        }
    });
}

} // namespace tav
