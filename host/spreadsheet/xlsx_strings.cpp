// Texts of a workbook: _xHHHH_ escapes, string items with rich-text runs, and
// the shared strings part, counted as they are read.
#include "host/spreadsheet/xlsx_strings.h"

#include <charconv>

#include "host/fields/input_limits.h"
#include "host/text/utf8.h"

namespace ds_spreadsheet {

namespace {

/// The code point of an "_xHHHH_" escape at `at`, or -1 when there is none.
long escape_at(const std::string& text, std::size_t at)
{
    if (text.compare(at, 2, "_x") != 0 || at + 7 > text.size() || text[at + 6] != '_') return -1;
    long code = 0;
    const auto [end, ec] = std::from_chars(text.data() + at + 2, text.data() + at + 6, code, 16);
    return ec == std::errc() && end == text.data() + at + 6 ? code : -1;
}

}  // namespace

/// "_x000D_" and the like stand for characters XML cannot carry as they are.
std::string decode_escapes(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const long code = escape_at(text, i);
        if (code < 0) {
            out += text[i];
            continue;
        }
        utf8_text::append(out, static_cast<char32_t>(code));
        i += 6;
    }
    return out;
}

/// Text of a string item: its own <t>, or its rich-text runs joined (phonetic runs left out).
std::string string_item_text(const pugi::xml_node& item)
{
    std::string text;
    for (pugi::xml_node part : item.children()) {
        if (is_element(part, "t")) text += part.text().get();
        else if (is_element(part, "r")) text += child_element(part, "t").text().get();
    }
    return decode_escapes(text);
}

std::vector<std::string> shared_strings(xlsx_package& zip, const std::string& part)
{
    std::vector<std::string> strings;
    const pugi::xml_document doc = zip.parse(part, false);
    for (pugi::xml_node item : child_element(doc, "sst").children()) {
        if (!is_element(item, "si")) continue;
        if (strings.size() >= input_limits::max_spreadsheet_cells)
            zip.fail(part + " holds more strings than a table needs (" +
                     std::to_string(input_limits::max_spreadsheet_cells) + ")");
        strings.push_back(string_item_text(item));
    }
    return strings;
}

}  // namespace ds_spreadsheet
