#pragma once

// Internal: runs calls of the OO API with a throwing status and turns its
// exceptions into FbError carrying Firebird's text.
#include "data/fb/FbClient.h"
#include "data/fb/FbError.h"

#include <firebird/Interface.h>

namespace fb {

// One status object per thread, cleared before each use: a fetch per row
// must not allocate one.
inline Firebird::IStatus* threadStatus(FbClient& client) {
    thread_local Firebird::IStatus* status = client.master()->getStatus();
    status->init();
    return status;
}

template <class Call> auto guarded(FbClient& client, Call&& call) {
    Firebird::ThrowStatusWrapper wrapper(threadStatus(client));
    try {
        return call(&wrapper);
    } catch (const Firebird::FbException& e) {
        throw FbError(client.statusText(e.getStatus()));
    }
}

} // namespace fb
