// The stand-in's message log: messages are kept until ds-host or a test takes them.
#include "host/framework/message_output.h"

namespace message_output {
// The log lives as long as the host library.
std::vector<message>& log()
{
    static std::vector<message> instance;
    return instance;
}

std::vector<message> take_messages()
{
    std::vector<message> out;
    out.swap(log());
    return out;
}

const std::vector<message>& peek_messages() { return log(); }
}  // namespace message_output

void _impl_app_print_plan_info(int output, int type, const CString& text)
{
    message_output::log().push_back({output, type, text});
}
