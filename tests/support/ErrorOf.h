// The text of the error a call raises, for tests of refusals and conversion errors.
#pragma once

#include <QString>

#include "KolmaError.h"

namespace kolma::testing {

// The message of the KolmaError the call raises, or "" when it raises none.
template <typename Call>
QString errorOf(Call call) {
    try {
        call();
    } catch (const KolmaError& e) {
        return e.message();
    }
    return {};
}

}  // namespace kolma::testing
