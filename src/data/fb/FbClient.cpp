#include "data/fb/FbClient.h"

#include "data/fb/FbError.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <clocale>
#include <dlfcn.h>
#include <firebird/Interface.h>
#include <langinfo.h>
#include <mutex>

namespace fb {

namespace {

FbClient* g_client = nullptr;
std::mutex g_loadMutex;

} // namespace

QString firebirdLockFolder() {
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !QFileInfo(base).isWritable())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (base.isEmpty())
        base = QDir::tempPath() + QStringLiteral("/zentavo-") + qEnvironmentVariable("USER");
    return base + QStringLiteral("/zentavo/firebird-lock");
}

QString FbClient::firebirdRoot(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("firebird"));
}

void prepareFirebirdEnvironment(const QString& programFolder) {
    if (!qEnvironmentVariableIsSet("FIREBIRD"))
        qputenv("FIREBIRD", QFile::encodeName(FbClient::firebirdRoot(programFolder)));
    if (!qEnvironmentVariableIsSet("FIREBIRD_LOCK")) {
        const QString folder = firebirdLockFolder();
        QDir().mkpath(folder);
        qputenv("FIREBIRD_LOCK", QFile::encodeName(folder));
    }
    // Firebird converts file names through the locale's character set; under
    // the C locale a path with Vietnamese letters cannot be opened.
    std::setlocale(LC_CTYPE, "");
    if (QByteArray(nl_langinfo(CODESET)) != "UTF-8") {
        qputenv("LC_CTYPE", "C.UTF-8");
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
}

FbClient& FbClient::load(const QString& libraryFolder) {
    std::lock_guard guard(g_loadMutex);
    if (g_client)
        return *g_client;
    prepareFirebirdEnvironment(libraryFolder);

    const QString own = QDir(libraryFolder).filePath(QStringLiteral("libfbclient.so"));
    // A library in the program folder wins, even when it is a broken link:
    // what the folder ships is what must load.
    const QFileInfo ownInfo(own);
    const QByteArray name =
        ownInfo.exists() || ownInfo.isSymLink() ? QFile::encodeName(own) : "libfbclient.so.2";
    void* library = dlopen(name.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        throw FbError(QString::fromLocal8Bit(dlerror()));
    using GetMaster = Firebird::IMaster* (*)();
    auto getMaster = reinterpret_cast<GetMaster>(dlsym(library, "fb_get_master_interface"));
    if (!getMaster) {
        const QString why = QString::fromLocal8Bit(dlerror());
        dlclose(library);
        throw FbError(why);
    }
    // The library stays loaded for the rest of the process: the engine's
    // threads live in it.
    auto* client = new FbClient;
    client->master_ = getMaster();
    client->util_ = client->master_->getUtilInterface();
    g_client = client;
    return *g_client;
}

bool FbClient::isLoaded() {
    std::lock_guard guard(g_loadMutex);
    return g_client != nullptr;
}

QString FbClient::statusText(const Firebird::IStatus* status) const {
    char buffer[2048];
    util_->formatStatus(buffer, sizeof buffer, const_cast<Firebird::IStatus*>(status));
    return QString::fromUtf8(buffer).trimmed();
}

} // namespace fb
