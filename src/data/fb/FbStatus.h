#pragma once

// Internal: runs calls of the OO API with a throwing status and turns its
// exceptions into FbError carrying Firebird's text.
#include "data/fb/FbClient.h"
#include "data/fb/FbError.h"

#include <firebird/Interface.h>
#include <type_traits>

namespace fb {

template <class Call> auto guarded(FbClient& client, Call&& call) {
    Firebird::IStatus* status = client.master()->getStatus();
    Firebird::ThrowStatusWrapper wrapper(status);
    try {
        if constexpr (std::is_void_v<decltype(call(&wrapper))>) {
            call(&wrapper);
            status->dispose();
        } else {
            auto result = call(&wrapper);
            status->dispose();
            return result;
        }
    } catch (const Firebird::FbException& e) {
        const QString text = client.statusText(e.getStatus());
        status->dispose();
        throw FbError(text);
    } catch (...) {
        status->dispose();
        throw;
    }
}

} // namespace fb
