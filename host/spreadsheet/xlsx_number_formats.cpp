// Number formats of styles.xml: built-in ids and format codes classified.
#include "host/spreadsheet/xlsx_number_formats.h"

#include <map>

namespace ds_spreadsheet {

namespace {

/// Codes of the built-in formats that are not plain numbers. Excel writes only
/// the id for these; ids 27-36 and 50-58 are the East Asian date formats.
std::string built_in_code(unsigned id)
{
    static const std::map<unsigned, std::string> codes = {
        {9, "0%"}, {10, "0.00%"}, {14, "mm-dd-yy"}, {15, "d-mmm-yy"}, {16, "d-mmm"}, {17, "mmm-yy"},
        {18, "h:mm AM/PM"}, {19, "h:mm:ss AM/PM"}, {20, "h:mm"}, {21, "h:mm:ss"}, {22, "m/d/yy h:mm"},
        {45, "mm:ss"}, {46, "[h]:mm:ss"}, {47, "mmss.0"},
    };
    if (const auto it = codes.find(id); it != codes.end()) return it->second;
    if ((id >= 27 && id <= 36) || (id >= 50 && id <= 58)) return "yyyy\"年\"m\"月\"d\"日\"";
    return {};
}

/// The code with what it prints literally left out: quoted text, \-escaped
/// characters, _x and *x padding, and [..] blocks (colours, conditions, locales)
/// except the elapsed-time ones [h], [m], [s].
std::string format_letters(const std::string& code)
{
    std::string out;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '"') {
            const std::size_t end = code.find('"', i + 1);
            i = end == std::string::npos ? code.size() : end;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == '[') {
            const std::size_t end = code.find(']', i + 1);
            const std::string inside = code.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
            // [h], [mm], [ss]: elapsed time, whichever letter it counts in.
            if (!inside.empty() && inside.find_first_not_of("hHmMsS") == std::string::npos) out += 'h';
            i = end == std::string::npos ? code.size() : end;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

shown_as classify_format(const std::string& code)
{
    const std::string letters = format_letters(code);
    if (letters.find('%') != std::string::npos) return {"a percentage", code};
    bool date = false, time = false;
    for (const char c : letters) {
        date |= c == 'y' || c == 'Y' || c == 'd' || c == 'D';
        time |= c == 'h' || c == 'H' || c == 's' || c == 'S';
        // 'm' is months or minutes; with neither a day nor an hour beside it, a month.
        date |= (c == 'm' || c == 'M') && letters.find_first_of("hHsS") == std::string::npos;
    }
    // "General" spells e, n, r, a, l only; the checks above look at date and time letters.
    if (date) return {"a date", code};
    if (time) return {"a time", code};
    return {};
}

number_formats::number_formats(xlsx_package& zip, const std::string& part)
{
    if (part.empty()) return;
    const pugi::xml_document doc = zip.parse(part, false);
    const pugi::xml_node sheet = child_element(doc, "styleSheet");
    std::map<unsigned, std::string> custom;
    for (pugi::xml_node f : child_element(sheet, "numFmts").children())
        if (is_element(f, "numFmt")) custom[f.attribute("numFmtId").as_uint()] = f.attribute("formatCode").value();
    for (pugi::xml_node xf : child_element(sheet, "cellXfs").children()) {
        if (!is_element(xf, "xf")) continue;
        const unsigned id = xf.attribute("numFmtId").as_uint();
        const auto it = custom.find(id);
        const std::string code = it != custom.end() ? it->second : built_in_code(id);
        m_styles.push_back(code.empty() ? shown_as{} : classify_format(code));
    }
}

const shown_as& number_formats::of_style(std::size_t index) const
{
    static const shown_as plain;
    return index < m_styles.size() ? m_styles[index] : plain;
}

}  // namespace ds_spreadsheet
