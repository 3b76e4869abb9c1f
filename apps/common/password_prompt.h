#pragma once

#include <QString>

namespace mailpiece {

/// The database password from the environment (MAILPIECE_DB_PASSWORD), or "" when it holds none.
QString passwordFromEnvironment();

/// Asks for a password on the terminal without echoing it; "" when standard input is not a
/// terminal.
QString promptPassword(const QString& prompt);

} // namespace mailpiece
