// Escaping control characters of texts shown to people.
#include "app/core/project/shown_text.h"

#include <cstdio>

#include "host/text/encoding.h"

namespace ds_app {

namespace {

/// Each control character becomes a visible \xNN; C1 controls (U+0080 to
/// U+009F) likewise as \u00NN. Applying it twice changes nothing more.
std::string escaped(std::string_view utf8, bool keep_line_breaks)
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

}  // namespace

/// Characters of a value a message repeats; a longer one (a pasted page of
/// text in a note) is cut and its length said, so the message stays readable.
constexpr std::size_t shown_characters = 200;

std::string shown(const CString& text)
{
    const std::string utf8 = ds_text::to_utf8_for_display(text);
    std::size_t characters = 0, cut = utf8.size();
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;
        if (characters++ == shown_characters) cut = i;
    }
    if (cut == utf8.size()) return escaped(utf8, false);
    return escaped(std::string_view(utf8).substr(0, cut), false) + "... (" + std::to_string(characters) + " characters)";
}

std::string shown_utf8(std::string_view utf8) { return escaped(utf8, false); }

std::string shown_lines(std::string_view utf8) { return escaped(utf8, true); }

std::string shown_list(const std::vector<CString>& names)
{
    if (names.empty()) return "(none)";
    // A project of thousands of drawings must not fill a screen with one error.
    constexpr std::size_t most = 20;
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < most; ++i) text += (text.empty() ? "" : ", ") + shown(names[i]);
    if (names.size() > most) text += " ... and " + std::to_string(names.size() - most) + " more";
    return text;
}

}  // namespace ds_app
