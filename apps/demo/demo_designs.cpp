// The demo's designs in files of their own: File > Save Design and Open Design write and read
// the shown control's Design, and the last file of each page is loaded again at the next start.

#include "demo_window.h"
#include "envelope_layout.h"
#include "message_sink.h"
#include "tav_label.h"
#include "tav_mail.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QSaveFile>
#include <QStatusBar>
#include <QTabWidget>

namespace {

const QString kFilter = QStringLiteral("Mailpiece designs (*.mpdesign)");
constexpr qint64 kLargestDesign =
    16 * 1024 * 1024; // far past any design; a wrong file is not read whole

// The text of the design file `path`; raises a message in the user's words when it cannot be read.
QString readDesign(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("cannot read %1: %2").arg(path, file.errorString()).toStdString());
    if (file.size() > kLargestDesign)
        throw std::runtime_error(QStringLiteral("%1 is no design: it is %2 MB")
                                     .arg(path)
                                     .arg(file.size() >> 20)
                                     .toStdString());
    return QString::fromUtf8(file.readAll());
}

} // namespace

void DemoWindow::buildDesignMenu(QMenu* file) {
    file->addAction(QStringLiteral("Open &Design..."), this, [this] {
        const QString path =
            QFileDialog::getOpenFileName(this, QStringLiteral("Open Design"),
                                         settings_.designFile(pages_->currentIndex()), kFilter);
        if (!path.isEmpty())
            openDesign(path);
    });
    file->addAction(QStringLiteral("&Save Design..."), QKeySequence::Save, this, [this] {
        QString path =
            QFileDialog::getSaveFileName(this, QStringLiteral("Save Design"),
                                         settings_.designFile(pages_->currentIndex()), kFilter);
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".mpdesign");
        saveDesign(path);
    });
}

QString DemoWindow::shownDesign() const {
    return pages_->currentIndex() == 1 ? mail_->Design() : label_->Design();
}

bool DemoWindow::saveDesign(const QString& path) {
    QSaveFile file(path); // a failed save leaves the file that was there
    const QByteArray text = shownDesign().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        tav::messageSink().showError(QStringLiteral("The design was not saved: cannot write %1: %2")
                                         .arg(path, file.errorString()),
                                     windowTitle());
        statusBar()->showMessage(QStringLiteral("The design was not saved"));
        return false;
    }
    settings_.setDesignFile(pages_->currentIndex(), path);
    statusBar()->showMessage(QStringLiteral("Saved the design to %1").arg(path));
    return true;
}

bool DemoWindow::openDesign(const QString& path) {
    const int page = pages_->currentIndex();
    bool opened = false;
    runGuarded([&] {
        const QString text = readDesign(path);
        const QString before = shownDesign();
        loadDesign(page, text);
        // The control reports a damaged design and keeps the one it had.
        opened = shownDesign() != before || text.trimmed() == before.trimmed();
    });
    if (!opened) {
        statusBar()->showMessage(QStringLiteral("%1 was not opened").arg(path));
        return false;
    }
    settings_.setDesignFile(page, path);
    statusBar()->showMessage(QStringLiteral("Opened the design %1").arg(path));
    return true;
}

void DemoWindow::loadDesign(int page, const QString& design) {
    if (page == 0) {
        label_->setDesign(design);
        return;
    }
    // An envelope's design keeps its settings, not its boxes: the demo lays the envelope out
    // again on the piece it names, so that the address and the whole bar code fit.
    mail_->setDesign(design);
    mailpiece::applyEnvelopeLayout(*mail_, mail_->PieceName(), returnAddress_, symbology_);
}

void DemoWindow::loadRememberedDesigns() {
    for (const int page : {0, 1}) {
        const QString path = settings_.designFile(page);
        bool loaded = path.isEmpty();
        runGuarded([&] {
            if (!loaded)
                loadDesign(page, readDesign(path));
            loaded = true;
        });
        if (!loaded) // told once, then forgotten
            settings_.setDesignFile(page, {});
    }
}
