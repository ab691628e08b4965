// Terminal output of ds-host, converted to UTF-8 at this boundary.
#include "app/core/console.h"

#include <cstdio>
#include <iostream>
#include <string_view>

#include "host/framework/message_output.h"
#include "host/text/encoding.h"

namespace ds_app {

namespace {

/// Names and texts come from files: a control character would reach the
/// terminal as a command (ESC) or cut a line short (NUL, CR). Each becomes a
/// visible \xNN; C1 controls (U+0080 to U+009F) likewise as \u00NN.
std::string terminal_text(std::string_view utf8, bool keep_line_breaks)
{
    std::string out;
    out.reserve(utf8.size());
    char buffer[8];
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const bool line_break = byte == '\n' || byte == '\t';
        if ((byte < 0x20 && !(keep_line_breaks && line_break)) || byte == 0x7F) {
            std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
            out += buffer;
        } else if (byte == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0 &&
                   static_cast<unsigned char>(utf8[i + 1]) >= 0x80) {
            std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned char>(utf8[++i]));
            out += buffer;
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

std::string terminal_lines(std::string_view utf8) { return terminal_text(utf8, true); }

}  // namespace

void say(const CString& text) { std::cout << terminal_lines(ds_text::to_utf8_for_display(text)) << '\n'; }
void say_block(const CString& text) { std::cout << terminal_lines(ds_text::to_utf8_for_display(text)) << std::flush; }
void say_utf8(const std::string& text) { std::cout << terminal_lines(text) << '\n'; }
void say_lines(const std::vector<CString>& lines, const char* indent)
{
    for (const CString& line : lines) std::cout << indent << shown(line) << '\n';
}
void say_heading(const std::string& title) { std::cout << "\n== " << terminal_lines(title) << " ==\n"; }

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

void complain(const std::string& text) { std::cerr << "ds-host: " << terminal_lines(text) << '\n'; }

std::string shown(const CString& text) { return terminal_text(ds_text::to_utf8_for_display(text), false); }

std::string shown_utf8(std::string_view utf8) { return terminal_text(utf8, false); }

std::string shown_list(const std::vector<CString>& names)
{
    if (names.empty()) return "(none)";
    // A project of thousands of drawings must not fill the terminal with one error.
    constexpr std::size_t most = 20;
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < most; ++i) text += (text.empty() ? "" : ", ") + shown(names[i]);
    if (names.size() > most) text += " ... and " + std::to_string(names.size() - most) + " more";
    return text;
}

}  // namespace ds_app
