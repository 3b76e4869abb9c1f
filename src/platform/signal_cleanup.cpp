// Deleting files that hold people's addresses when a program is interrupted. The handler may
// only use async-signal-safe calls: it reads a fixed table of paths and calls unlink.

#include "signal_cleanup.h"

#include <QFile>

#include <array>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <pthread.h>
#include <unistd.h>

namespace tav {

namespace {

constexpr std::size_t kSlots = 1024;
// The signals that end a program by default and can be caught: a terminal's keys (INT, QUIT),
// a kill or a hang-up (TERM, HUP), a reader gone from a pipe (PIPE), a file size limit (XFSZ).
constexpr std::array kCleanupSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGXFSZ};
std::array<std::atomic<char*>, kSlots> registered{};

extern "C" void removeAndReraise(int signalNumber) {
    for (auto& slot : registered)
        if (const char* path = slot.load())
            ::unlink(path);
    // End the way the signal would have ended the process, so the parent sees why.
    std::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);
}

sigset_t cleanupSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (const int number : kCleanupSignals)
        sigaddset(&set, number);
    return set;
}

} // namespace

void removeRegisteredFilesOnSignals() {
    struct sigaction action {};
    action.sa_handler = removeAndReraise;
    action.sa_mask = cleanupSignals(); // one handler at a time
    for (const int number : kCleanupSignals) {
        // A signal the program was started ignoring stays ignored, as a background job's INT or
        // a shell's XFSZ: a write past the limit then fails, and the program says so.
        struct sigaction inherited {};
        if (::sigaction(number, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN)
            continue;
        ::sigaction(number, &action, nullptr);
    }
}

int deleteFileOnSignal(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    char* copy = ::strdup(name.constData());
    if (!copy)
        return -1;
    for (std::size_t i = 0; i < kSlots; ++i) {
        char* empty = nullptr;
        if (registered[i].compare_exchange_strong(empty, copy))
            return static_cast<int>(i);
    }
    std::free(copy);
    return -1;
}

void forgetFileOnSignal(int slot) {
    if (slot < 0 || slot >= static_cast<int>(kSlots))
        return;
    std::free(registered[static_cast<std::size_t>(slot)].exchange(nullptr));
}

SignalsHeld::SignalsHeld() {
    const sigset_t held = cleanupSignals();
    ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

SignalsHeld::~SignalsHeld() {
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

} // namespace tav
