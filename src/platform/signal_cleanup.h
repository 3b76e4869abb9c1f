#pragma once

#include "mailpiece_export.h"

#include <QString>

#include <csignal>

namespace tav {

/// Makes SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE and SIGXFSZ delete every file registered below
/// before the process ends by the signal as it would have without the handler. A program calls it
/// once at its start; SIGKILL cannot be caught, so a killed process can still leave its files
/// behind.
MAILPIECE_EXPORT void removeRegisteredFilesOnSignals();

/// Registers `path` for deletion by the signal handler; returns a slot for forgetFileOnSignal,
/// or -1 when all slots are taken (the file is then only deleted by its owner).
MAILPIECE_EXPORT int deleteFileOnSignal(const QString& path);
/// Unregisters the slot returned by deleteFileOnSignal; -1 does nothing.
MAILPIECE_EXPORT void forgetFileOnSignal(int slot);

/// Holds SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE and SIGXFSZ back for its lifetime (they arrive
/// when it ends), so that a file can be created and registered for deletion as one step.
class MAILPIECE_EXPORT SignalsHeld {
public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t previous_{};
};

} // namespace tav
