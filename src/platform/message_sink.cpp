#include "message_sink.h"

#include "tav_error.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

#include <cstdio>

namespace tav {

namespace {

std::shared_ptr<MessageSink>& currentSink() {
    static std::shared_ptr<MessageSink> sink = std::make_shared<DefaultMessageSink>();
    return sink;
}

bool canShowWindows() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr &&
           QGuiApplication::platformName() != QLatin1String("offscreen") &&
           QGuiApplication::platformName() != QLatin1String("minimal");
}

} // namespace

MessageSink::~MessageSink() = default;

void DefaultMessageSink::showError(const QString& text, const QString& title) {
    if (canShowWindows()) {
        QMessageBox::warning(QApplication::activeWindow(), title, text);
        return;
    }
    showMessage(text, title);
}

void DefaultMessageSink::showMessage(const QString& text, const QString& title) {
    if (canShowWindows()) {
        QMessageBox::information(QApplication::activeWindow(), title, text);
        return;
    }
    // A message that already names the program (a program's own error) is not named twice.
    const QString prefix = title + QStringLiteral(": ");
    std::fprintf(stderr, "%s\n", qUtf8Printable(text.startsWith(prefix) ? text : prefix + text));
}

MessageSink& messageSink() {
    return *currentSink();
}

std::shared_ptr<MessageSink> setMessageSink(std::shared_ptr<MessageSink> sink) {
    if (!sink)
        sink = std::make_shared<DefaultMessageSink>();
    return std::exchange(currentSink(), std::move(sink));
}

namespace {

QString messageTitle() {
    const QString title = QCoreApplication::applicationName();
    return title.isEmpty() ? QStringLiteral("Mailpiece") : title;
}

} // namespace

void showMessage(const QString& text) {
    messageSink().showMessage(text, messageTitle());
}

void reportCurrentException() noexcept {
    try {
        try {
            throw;
        } catch (const std::exception& error) {
            messageSink().showError(userText(error), messageTitle());
        } catch (...) {
            messageSink().showError(QStringLiteral("An unknown error has occurred!"),
                                    messageTitle());
        }
    } catch (...) {
        std::fputs("Mailpiece: an error could not be reported\n", stderr);
    }
}

} // namespace tav
