// What surrounds the controls: the tool bar, the mailing's rows beside the pieces, and files
// dropped on the window.

#include "demo_window.h"
#include "mailing_problems.h"
#include "mailing_rows.h"
#include "mailing_source.h"
#include "message_sink.h"
#include "tav_label.h"
#include "tav_mail.h"

#include <QAction>
#include <QActionGroup>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QStyle>
#include <QToolBar>

namespace {

// The menu entry of `window` called `text`, or null.
QAction* menuAction(const QMainWindow& window, const QString& text) {
    for (QAction* action : window.menuBar()->findChildren<QAction*>())
        if (action->text() == text)
            return action;
    return nullptr;
}

// The local file a drag carries, or "".
QString droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1)
        return {};
    return data->urls().constFirst().toLocalFile();
}

} // namespace

void DemoWindow::buildToolBarAndRows() {
    QToolBar* tools = addToolBar(QStringLiteral("Main"));
    tools->setObjectName(QStringLiteral("main_toolbar"));
    tools->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const struct {
        const char* entry;
        const char* theme;
        QStyle::StandardPixmap fallback;
        const char* label;
    } entries[] = {
        {"&Open Mailing...", "document-open", QStyle::SP_DialogOpenButton, "Open"},
        {"&Print...", "document-print", QStyle::SP_DialogSaveButton, "Print"},
        {"Print Pre&view...", "document-print-preview", QStyle::SP_FileDialogContentsView,
         "Preview"},
    };
    for (const auto& entry : entries) {
        if (QAction* action = menuAction(*this, QString::fromLatin1(entry.entry))) {
            action->setIcon(QIcon::fromTheme(QString::fromLatin1(entry.theme),
                                             style()->standardIcon(entry.fallback)));
            action->setIconText(QString::fromLatin1(entry.label));
            tools->addAction(action);
        }
    }
    tools->addSeparator();
    const QStyle::StandardPixmap views[] = {QStyle::SP_FileIcon, QStyle::SP_FileDialogListView,
                                            QStyle::SP_FileDialogDetailedView};
    for (int view = 0; view < static_cast<int>(views_->actions().size()) && view < 3; ++view) {
        QAction* action = views_->actions().at(view);
        action->setIcon(style()->standardIcon(views[view]));
        tools->addAction(action);
    }

    rows_ = new MailingRowsPanel(this);
    auto* dock = new QDockWidget(QStringLiteral("Rows"), this);
    dock->setObjectName(QStringLiteral("rows_dock"));
    dock->setWidget(rows_);
    addDockWidget(Qt::RightDockWidgetArea, dock);
    connect(rows_, &MailingRowsPanel::pieceChosen, this,
            [this](int piece) { tav::reportingErrors([&] { shown().setCurrentPiece(piece); }); });
    setAcceptDrops(true);
}

void DemoWindow::showRows(tav::MailingSource& rows, const CollectedMessages& messages) {
    rows_->showRows(rows, messages);
    for (tav::TavLabel* control : {label_, &mail_->TavLabel1()})
        connect(control, &tav::TavLabel::currentPieceChanged, rows_, &MailingRowsPanel::showPiece);
    rows_->showPiece(shown().CurrentPiece());
}

void DemoWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void DemoWindow::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openMailing(path); // reports its own failures
}
