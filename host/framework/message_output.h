// The host's message output (the plan-information window). The stand-in keeps
// the messages in a log that ds-host prints and tests read.
#pragma once

#include <vector>

#include "host/afx/cstring.h"

/// Prints a message to output object `output` (1: the plan information window)
/// with message type `type` (1: warning).
void _impl_app_print_plan_info(int output, int type, const CString& text);

namespace message_output {
struct message {
    int output = 0;
    int type = 0;
    CString text;
};
/// Messages printed since the last take_messages, oldest first; clears the log.
std::vector<message> take_messages();
const std::vector<message>& peek_messages();
}  // namespace message_output
