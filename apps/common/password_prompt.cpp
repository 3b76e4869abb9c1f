#include "password_prompt.h"

#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <iterator>
#include <termios.h>
#include <unistd.h>

namespace mailpiece {

namespace {

// While the terminal does not echo, a signal that ends the program gives it its echo back first:
// the handler puts the saved settings back, then lets the signal do what it did before (delete
// the program's files, end it).
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
termios savedTerminal{};
struct sigaction previousActions[std::size(kEndingSignals)]{};

extern "C" void restoreTerminalAndReraise(int signalNumber) {
    ::tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
        if (kEndingSignals[i] == signalNumber)
            ::sigaction(signalNumber, &previousActions[i], nullptr);
    ::raise(signalNumber);
}

void restoreTerminalOnSignals(bool on) {
    if (!on) {
        for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
            ::sigaction(kEndingSignals[i], &previousActions[i], nullptr);
        return;
    }
    struct sigaction action {};
    action.sa_handler = restoreTerminalAndReraise;
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
        ::sigaction(kEndingSignals[i], &action, &previousActions[i]);
}

} // namespace

QString passwordFromEnvironment() {
    return qEnvironmentVariable("MAILPIECE_DB_PASSWORD");
}

QString promptPassword(const QString& prompt) {
    if (isatty(STDIN_FILENO) == 0)
        return {};
    const bool quiet = tcgetattr(STDIN_FILENO, &savedTerminal) == 0;
    if (quiet) {
        termios silent = savedTerminal;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        restoreTerminalOnSignals(true);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    // Asked only once the typing is hidden.
    std::fprintf(stderr, "%s", qUtf8Printable(prompt));
    std::fflush(stderr);
    QTextStream in(stdin);
    const QString password = in.readLine();
    if (quiet) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
        restoreTerminalOnSignals(false);
    }
    std::fprintf(stderr, "\n");
    return password;
}

} // namespace mailpiece
