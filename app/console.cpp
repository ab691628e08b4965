// Terminal output of ds-host, converted to UTF-8 at this boundary.
#include "app/console.h"

#include <iostream>

#include "host/framework/message_output.h"
#include "host/text/encoding.h"

namespace ds_app {

void say(const CString& text) { std::cout << ds_text::to_utf8_for_display(text) << '\n'; }
void say_block(const CString& text) { std::cout << ds_text::to_utf8_for_display(text) << std::flush; }
void say_utf8(const std::string& text) { std::cout << text << '\n'; }
void say_lines(const std::vector<CString>& lines, const char* indent)
{
    for (const CString& line : lines) std::cout << indent << ds_text::to_utf8_for_display(line) << '\n';
}
void say_heading(const std::string& title) { std::cout << "\n== " << title << " ==\n"; }

void say_messages()
{
    const auto messages = message_output::take_messages();
    if (messages.empty()) {
        say_utf8("messages: none");
        return;
    }
    say_utf8("messages:");
    for (const auto& m : messages)
        say_utf8("  [output " + std::to_string(m.output) + ", type " + std::to_string(m.type) + "] " + shown(m.text));
}

void complain(const std::string& text) { std::cerr << "ds-host: " << text << '\n'; }

std::string shown(const CString& text) { return ds_text::to_utf8_for_display(text); }

std::string shown_list(const std::vector<CString>& names)
{
    if (names.empty()) return "(none)";
    std::string text;
    for (const CString& name : names) text += (text.empty() ? "" : ", ") + shown(name);
    return text;
}

}  // namespace ds_app
