#include "password_prompt.h"

#include <QTextStream>

#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace mailpiece {

QString passwordFromEnvironment() {
    return qEnvironmentVariable("MAILPIECE_DB_PASSWORD");
}

QString promptPassword(const QString& prompt) {
    if (isatty(STDIN_FILENO) == 0)
        return {};
    std::fprintf(stderr, "%s", qUtf8Printable(prompt));
    std::fflush(stderr);
    termios saved{};
    const bool quiet = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (quiet) {
        termios silent = saved;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    QTextStream in(stdin);
    const QString password = in.readLine();
    if (quiet)
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fprintf(stderr, "\n");
    return password;
}

} // namespace mailpiece
