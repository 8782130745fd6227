#include "data/fb/FbConnection.h"

#include "data/fb/FbStatus.h"

#include <QFile>
#include <csignal>
#include <ibase.h>

namespace fb {

using Firebird::IXpbBuilder;
using Firebird::ThrowStatusWrapper;

namespace {

enum class Purpose { Attach, Create, ReadOnly, ReadWrite };

IXpbBuilder* buildDpb(FbClient& client, ThrowStatusWrapper* st, const FbConnectParams& params,
                      Purpose purpose, int pageSize = 0) {
    IXpbBuilder* dpb = client.util()->getXpbBuilder(st, IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(st, isc_dpb_user_name, params.user.toUtf8().constData());
    dpb->insertString(st, isc_dpb_password, params.password.toUtf8().constData());
    dpb->insertString(st, isc_dpb_lc_ctype, params.charset.toUtf8().constData());
    dpb->insertInt(st, isc_dpb_sql_dialect, params.dialect);
    dpb->insertString(st, isc_dpb_config, "Providers=Engine12");
    dpb->insertTag(st, isc_dpb_utf8_filename);
    if (purpose == Purpose::Create) {
        dpb->insertInt(st, isc_dpb_page_size, pageSize);
        dpb->insertString(st, isc_dpb_set_db_charset, params.charset.toUtf8().constData());
    } else if (purpose == Purpose::ReadOnly || purpose == Purpose::ReadWrite) {
        dpb->insertInt(st, isc_dpb_set_db_readonly, purpose == Purpose::ReadOnly ? 1 : 0);
    }
    return dpb;
}

// The engine's first attachment in a process installs its own SIGINT and
// SIGTERM handlers, after which a terminated program no longer ends (and may
// spin at shutdown). The program's handlers are put back.
class KeepSignalHandlers {
public:
    KeepSignalHandlers() {
        sigaction(SIGINT, nullptr, &int_);
        sigaction(SIGTERM, nullptr, &term_);
    }
    ~KeepSignalHandlers() {
        sigaction(SIGINT, &int_, nullptr);
        sigaction(SIGTERM, &term_, nullptr);
    }

private:
    struct sigaction int_ {};
    struct sigaction term_ {};
};

Firebird::IAttachment* open(FbClient& client, const FbConnectParams& params, Purpose purpose,
                            int pageSize = 0) {
    const KeepSignalHandlers keep;
    return guarded(client, [&](ThrowStatusWrapper* st) {
        IXpbBuilder* dpb = buildDpb(client, st, params, purpose, pageSize);
        Firebird::IProvider* provider = client.master()->getDispatcher();
        const QByteArray path = params.database.toUtf8();
        Firebird::IAttachment* attachment = nullptr;
        try {
            const auto length = dpb->getBufferLength(st);
            const auto* buffer = dpb->getBuffer(st);
            attachment = purpose == Purpose::Create
                             ? provider->createDatabase(st, path.constData(), length, buffer)
                             : provider->attachDatabase(st, path.constData(), length, buffer);
        } catch (...) {
            dpb->dispose();
            provider->release();
            throw;
        }
        dpb->dispose();
        provider->release();
        return attachment;
    });
}

} // namespace

FbConnection::FbConnection(FbClient& client)
    : client_(client) {
}

FbConnection::~FbConnection() {
    if (attachment_)
        attachment_->release(); // detaches without reporting
}

void FbConnection::attach(const FbConnectParams& params) {
    if (attachment_)
        detach();
    attachment_ = open(client_, params, Purpose::Attach);
}

void FbConnection::createDatabase(const FbConnectParams& params, int pageSize) {
    if (attachment_)
        detach();
    attachment_ = open(client_, params, Purpose::Create, pageSize);
}

void FbConnection::detach() {
    if (!attachment_)
        return;
    Firebird::IAttachment* attachment = attachment_;
    attachment_ = nullptr;
    try {
        guarded(client_, [&](ThrowStatusWrapper* st) { attachment->detach(st); });
    } catch (const FbError&) {
        attachment->release();
        throw;
    }
}

void FbConnection::setReadOnly(FbClient& client, const FbConnectParams& params, bool readOnly) {
    Firebird::IAttachment* attachment =
        open(client, params, readOnly ? Purpose::ReadOnly : Purpose::ReadWrite);
    guarded(client, [&](ThrowStatusWrapper* st) { attachment->detach(st); });
}

FbTransaction::FbTransaction(FbConnection& connection)
    : connection_(connection) {
}

FbTransaction::~FbTransaction() {
    if (transaction_)
        transaction_->release(); // rolls back
}

void FbTransaction::start(bool readOnly) {
    if (!connection_.attached())
        throw FbError(QStringLiteral("not attached to a database"));
    FbClient& client = connection_.client();
    transaction_ = guarded(client, [&](ThrowStatusWrapper* st) {
        IXpbBuilder* tpb = client.util()->getXpbBuilder(st, IXpbBuilder::TPB, nullptr, 0);
        if (readOnly) {
            tpb->insertTag(st, isc_tpb_read);
            tpb->insertTag(st, isc_tpb_read_committed);
            tpb->insertTag(st, isc_tpb_rec_version);
            tpb->insertTag(st, isc_tpb_nowait);
        } else {
            tpb->insertTag(st, isc_tpb_write);
            tpb->insertTag(st, isc_tpb_concurrency);
            tpb->insertTag(st, isc_tpb_wait);
        }
        Firebird::ITransaction* tr = nullptr;
        try {
            tr = connection_.handle()->startTransaction(st, tpb->getBufferLength(st),
                                                        tpb->getBuffer(st));
        } catch (...) {
            tpb->dispose();
            throw;
        }
        tpb->dispose();
        return tr;
    });
}

void FbTransaction::commit() {
    if (!transaction_)
        return;
    guarded(connection_.client(), [&](ThrowStatusWrapper* st) { transaction_->commit(st); });
    transaction_ = nullptr;
}

void FbTransaction::rollback() {
    if (!transaction_)
        return;
    guarded(connection_.client(), [&](ThrowStatusWrapper* st) { transaction_->rollback(st); });
    transaction_ = nullptr;
}

void FbTransaction::execute(const QString& sql) {
    const QByteArray text = sql.toUtf8();
    guarded(connection_.client(), [&](ThrowStatusWrapper* st) {
        connection_.handle()->execute(st, transaction_, 0, text.constData(), 3, nullptr, nullptr,
                                      nullptr, nullptr);
    });
}

} // namespace fb
