// A host for the label and envelope controls: opens a CSV mailing, shows it piece by piece and
// sheet by sheet, and prints it. With --screenshots DIR it saves the pictures the README shows,
// and exits.

#include "catalog_location.h"
#include "demo_window.h"
#include "screenshots.h"
#include "signal_cleanup.h"
#include "tav_error.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

namespace {
// Opens the window (and saves the screenshots when asked); the status for main.
int run(const QCommandLineParser& parser, const QCommandLineOption& screenshots);
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mailpiece"));
    QApplication::setApplicationDisplayName(QStringLiteral("Mailpiece"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows and prints a mailing on address labels, roll labels and envelopes."));
    parser.addHelpOption();
    parser.addPositionalArgument(
        QStringLiteral("mailing"),
        QStringLiteral("The mailing to open: a spreadsheet, delimited text, an address book or a "
                       "SQLite database."));
    const QCommandLineOption screenshots(
        QStringLiteral("screenshots"),
        QStringLiteral("Save the window's views, the dialogs and the envelopes page to DIR, then "
                       "exit."),
        QStringLiteral("dir"));
    parser.addOption(screenshots);
    parser.process(app);

    mailpiece::useSourceCatalogUnlessInstalled();
    tav::removeRegisteredFilesOnSignals();
    try {
        return run(parser, screenshots);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mailpiece-demo: %s\n", qUtf8Printable(tav::userText(error)));
        return 1;
    }
}

namespace {

int run(const QCommandLineParser& parser, const QCommandLineOption& screenshots) {
    // Screenshots show the demo as it first starts, whatever this user's runs remembered.
    QTemporaryDir freshSettings;
    if (parser.isSet(screenshots))
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, freshSettings.path());
    DemoWindow window;
    if (!parser.positionalArguments().isEmpty() &&
        !window.openMailing(parser.positionalArguments().constFirst()))
        return 1;
    window.show();
    if (parser.isSet(screenshots))
        return saveScreenshots(window, QDir(parser.value(screenshots))) ? 0 : 1;
    return QApplication::exec();
}

} // namespace
