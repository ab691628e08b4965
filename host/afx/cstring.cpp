// CString's searching, slicing, trimming, replacing and formatting; searching and
// replacing step over whole GBK characters, so a match never starts inside one.
#include "host/afx/cstring.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace afx_text {
std::size_t char_length(std::string_view text, std::size_t pos)
{
#if DS_NARROW_IS_GBK
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead >= 0x81 && lead <= 0xFE && pos + 1 < text.size()) return 2;
    return 1;
#else
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return std::min(len, text.size() - pos);
#endif
}
}  // namespace afx_text

namespace {
int sign(int v) { return (v > 0) - (v < 0); }
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
}  // namespace

int CString::Compare(const char* other) const
{
    // std::string compares char_traits<char>, which orders as unsigned char.
    return sign(m_text.compare(other ? other : ""));
}

int CString::CompareNoCase(const char* other) const
{
    std::string a = m_text, b = other ? other : "";
    auto lower = [](std::string& s) {
        for (auto& c : s) if (static_cast<unsigned char>(c) < 0x80) c = static_cast<char>(std::tolower(c));
    };
    lower(a);
    lower(b);
    return sign(a.compare(b));
}

int CString::Find(const char* sub, int start) const
{
    const std::string_view needle(sub ? sub : "");
    if (start < 0) start = 0;
    std::size_t pos = 0;
    // Walk character by character so that matches start on character boundaries.
    while (pos < m_text.size() && pos < static_cast<std::size_t>(start)) pos += afx_text::char_length(m_text, pos);
    for (; pos <= m_text.size(); pos += afx_text::char_length(m_text, pos)) {
        if (std::string_view(m_text).substr(pos, needle.size()) == needle) return static_cast<int>(pos);
        if (pos == m_text.size()) break;
    }
    return -1;
}

int CString::Find(char ch, int start) const
{
    const char sub[2] = {ch, '\0'};
    return Find(sub, start);
}

CString CString::Left(int count) const
{
    return CString(m_text.substr(0, static_cast<std::size_t>(std::clamp(count, 0, GetLength()))));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_text.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count)));
}

CString CString::Right(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return CString(m_text.substr(m_text.size() - static_cast<std::size_t>(count)));
}

CString& CString::TrimLeft()
{
    std::size_t i = 0;
    while (i < m_text.size() && is_blank(m_text[i])) ++i;
    m_text.erase(0, i);
    return *this;
}

CString& CString::TrimRight()
{
    while (!m_text.empty() && is_blank(m_text.back())) m_text.pop_back();
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

int CString::Replace(const char* old_text, const char* new_text)
{
    const std::string from(old_text ? old_text : ""), to(new_text ? new_text : "");
    if (from.empty()) return 0;
    int count = 0;
    std::string out;
    std::size_t pos = 0;
    while (pos < m_text.size()) {
        if (m_text.compare(pos, from.size(), from) == 0) {
            out += to;
            pos += from.size();
            ++count;
        } else {
            const std::size_t len = afx_text::char_length(m_text, pos);
            out.append(m_text, pos, len);
            pos += len;
        }
    }
    m_text = std::move(out);
    return count;
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> buffer(static_cast<std::size_t>(std::max(needed, 0)) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    m_text.assign(buffer.data(), static_cast<std::size_t>(std::max(needed, 0)));
}
