#pragma once

#include <QString>

namespace Firebird {
class IMaster;
class IUtil;
class IStatus;
} // namespace Firebird

namespace fb {

// The client library, loaded once for the process. Before loading it the
// environment is prepared: FIREBIRD names the private Firebird root in the
// program folder (several copies may then open one file), FIREBIRD_LOCK a
// per-user lock folder, and the character type a UTF-8 locale.
class FbClient {
public:
    // Loads libfbclient.so from libraryFolder when present, else the system's.
    // Throws FbError with the loader's text.
    static FbClient& load(const QString& libraryFolder);
    static bool isLoaded();

    Firebird::IMaster* master() const { return master_; }
    Firebird::IUtil* util() const { return util_; }

    // The status of a failed call as Firebird words it.
    QString statusText(const Firebird::IStatus* status) const;

    // The private root that the build writes beside the program.
    static QString firebirdRoot(const QString& programFolder);

private:
    FbClient() = default;
    Firebird::IMaster* master_ = nullptr;
    Firebird::IUtil* util_ = nullptr;
};

void prepareFirebirdEnvironment(const QString& programFolder);

// The per-user folder of the engine's lock files; every process that opens
// the dictionary must use the same one.
QString firebirdLockFolder();

} // namespace fb
