#pragma once

#include <gtest/gtest.h>

#include <string>

namespace tw::test {

// Expects `fn` to throw an `Error` (one of the program's error types, each
// with a reason) for `reason`; gives the error's text, empty when nothing or
// something else was thrown.
template <class Error, class Fn>
std::string ExpectError(Fn&& fn, typename Error::Reason reason) {
    try {
        fn();
        ADD_FAILURE() << "nothing was thrown";
    } catch (const Error& e) {
        EXPECT_EQ(e.reason(), reason) << "message: " << e.what();
        return e.what();
    }
    return {};
}

}  // namespace tw::test
