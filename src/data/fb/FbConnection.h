#pragma once

#include <QString>

namespace Firebird {
class IAttachment;
class ITransaction;
} // namespace Firebird

namespace fb {

class FbClient;

struct FbConnectParams {
    QString database;
    QString user;
    QString password;
    QString charset = QStringLiteral("UTF8");
    int dialect = 3;
};

// One attachment to a database file, opened by the embedded engine only: a
// failed open never reaches for a server on the network.
class FbConnection {
public:
    explicit FbConnection(FbClient& client);
    ~FbConnection();
    FbConnection(const FbConnection&) = delete;
    FbConnection& operator=(const FbConnection&) = delete;

    void attach(const FbConnectParams& params);
    void createDatabase(const FbConnectParams& params, int pageSize);
    void detach();
    bool attached() const { return attachment_ != nullptr; }

    // Marks a database read-only (or writable again); needs the only attachment.
    static void setReadOnly(FbClient& client, const FbConnectParams& params, bool readOnly);

    FbClient& client() const { return client_; }
    Firebird::IAttachment* handle() const { return attachment_; }

private:
    FbClient& client_;
    Firebird::IAttachment* attachment_ = nullptr;
};

// A transaction on a connection; rolled back when destroyed while active.
class FbTransaction {
public:
    explicit FbTransaction(FbConnection& connection);
    ~FbTransaction();
    FbTransaction(const FbTransaction&) = delete;
    FbTransaction& operator=(const FbTransaction&) = delete;

    // Read-only transactions read committed data and never wait.
    void start(bool readOnly);
    void commit();
    void rollback();
    bool active() const { return transaction_ != nullptr; }

    // Runs a statement without parameters or rows (DDL).
    void execute(const QString& sql);

    FbConnection& connection() const { return connection_; }
    Firebird::ITransaction* handle() const { return transaction_; }

private:
    FbConnection& connection_;
    Firebird::ITransaction* transaction_ = nullptr;
};

} // namespace fb
