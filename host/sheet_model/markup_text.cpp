// Escaping of text for SVG and HTML.
#include "host/sheet_model/markup_text.h"

#include "host/text/encoding.h"

namespace ds_sheet {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";  // U+FFFD

/// `utf8` with the characters a document may not hold replaced, and the markup ones escaped when `markup`.
std::string cleaned(std::string_view utf8, bool markup)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (markup && c == '&') out += "&amp;";
        else if (markup && c == '<') out += "&lt;";
        else if (markup && c == '>') out += "&gt;";
        else if (markup && c == '"') out += "&quot;";
        else if (c == '\t' || c == '\n' || c == '\r') out += ' ';
        else if (c < 0x20 || c == 0x7F) out += replacement;
        else if (c == 0xEF && utf8.substr(i + 1, 2) == "\xBF\xBE") out += replacement, i += 2;  // U+FFFE
        else if (c == 0xEF && utf8.substr(i + 1, 2) == "\xBF\xBF") out += replacement, i += 2;  // U+FFFF
        else out += static_cast<char>(c);
    }
    return out;
}

}  // namespace

std::string markup_escaped(std::string_view utf8) { return cleaned(utf8, true); }

std::string plain_text(const CString& narrow) { return cleaned(ds_text::to_utf8(narrow), false); }

std::string markup_text(const CString& narrow) { return markup_escaped(ds_text::to_utf8(narrow)); }

}  // namespace ds_sheet
