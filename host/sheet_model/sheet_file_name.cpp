// Safe and distinct file names for sheets.
#include "host/sheet_model/sheet_file_name.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "host/text/encoding.h"
#include "host/text/utf8.h"

namespace ds_sheet {

namespace {

bool forbidden(unsigned char c)
{
    return c < 0x20 || c == 0x7F || std::string_view("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool reserved(const std::string& stem)
{
    std::string base = lower(stem.substr(0, stem.find('.')));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (const char* name : {"con", "prn", "aux", "nul"})
        if (base == name) return true;
    return base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) && base[3] >= '1' && base[3] <= '9';
}

/// `s` cut to at most `limit` bytes without splitting a UTF-8 character.
std::string cut(const std::string& s, std::size_t limit) { return std::string(utf8_text::cut(s, limit)); }

std::string trimmed(const std::string& s)
{
    const auto keep = [](char c) { return c != ' ' && c != '.'; };
    const auto first = std::find_if(s.begin(), s.end(), keep);
    const auto last = std::find_if(s.rbegin(), s.rend(), keep).base();
    return first < last ? std::string(first, last) : std::string();
}

}  // namespace

std::string safe_file_stem(const CString& title)
{
    std::string stem = ds_text::to_utf8(std::string_view(title.str()));
    for (char& c : stem)
        if (forbidden(static_cast<unsigned char>(c))) c = '-';
    stem = trimmed(cut(stem, max_file_stem));
    if (stem.empty()) return "sheet";
    if (reserved(stem)) stem = cut("sheet-" + stem, max_file_stem);
    return stem;
}

bool file_name_register::take(const std::string& stem) { return m_taken.insert(lower(stem)).second; }

std::string file_name_register::claim(const CString& drawing, const CString& title)
{
    const std::string stem = safe_file_stem(title);
    if (take(stem)) return stem;
    const std::string prefixed = cut(safe_file_stem(drawing) + "-" + stem, max_file_stem);
    if (take(prefixed)) return prefixed;
    for (int n = 2;; ++n) {
        const std::string numbered = cut(stem, max_file_stem - 12) + " (" + std::to_string(n) + ")";
        if (take(numbered)) return numbered;
    }
}

}  // namespace ds_sheet
