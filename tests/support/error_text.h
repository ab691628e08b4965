// The message of an expected exception, so a test can check what a failure
// says with one matcher instead of a try block of its own.
#pragma once

#include <string>

namespace ds_test {

/// What the `Error` thrown by `action` says, or "(no error)" when nothing is thrown.
template <class Error, class Action>
std::string error_text(Action&& action)
{
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return "(no error)";
}

}  // namespace ds_test
