// CString: the class library's narrow string. It holds text in the host code
// page (GBK in a GCC build, see cmake/charset.cmake) and never converts it;
// conversion to UTF-8 happens only at the file and terminal boundaries
// (host/text/encoding.h).
#pragma once

#include <compare>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(std::string text) : m_text(std::move(text)) {}
    CString(std::string_view text) : m_text(text) {}
    CString(const char* text, int length) : m_text(text, static_cast<std::size_t>(length)) {}
    CString(char ch, int repeat = 1) : m_text(static_cast<std::size_t>(repeat), ch) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }
    char GetAt(int index) const { return m_text.at(static_cast<std::size_t>(index)); }

    /// Orders by the unsigned bytes of the text, as the host does.
    int Compare(const char* other) const;
    int CompareNoCase(const char* other) const;

    /// Character-aware search: a match never starts on the trail byte of a
    /// double-byte character, so "墩" is not found inside an unrelated pair.
    int Find(const char* sub, int start = 0) const;
    int Find(char ch, int start = 0) const;

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    int Replace(const char* old_text, const char* new_text);
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

    CString& operator+=(const CString& other) { m_text += other.m_text; return *this; }
    CString& operator+=(const char* other) { m_text += other ? other : ""; return *this; }
    CString& operator+=(char ch) { m_text += ch; return *this; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_text + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_text); }
    friend CString operator+(const CString& a, char b) { return CString(a.m_text + b); }

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }
    friend std::strong_ordering operator<=>(const CString& a, const CString& b) { return a.Compare(b) <=> 0; }

    const std::string& str() const { return m_text; }

private:
    std::string m_text;
};

/// GoogleTest printer (defined in the test support library): shows the text as UTF-8.
void PrintTo(const CString& text, std::ostream* os);

template <>
struct std::hash<CString> {
    std::size_t operator()(const CString& s) const noexcept { return std::hash<std::string>()(s.str()); }
};

namespace afx_text {
/// Byte length of the character that starts at `text[pos]` in the narrow code page.
std::size_t char_length(std::string_view text, std::size_t pos);
}
