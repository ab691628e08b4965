// Strict text conversion between the narrow in-memory charset and UTF-8.
//
// glibc iconv does the GBK work; it is never asked to //IGNORE or
// //TRANSLIT, so a character that does not convert stops the conversion and
// becomes an error that names the character and its byte offset. iconv alone
// is not enough: it silently drops a few characters, so every conversion is
// converted back and compared. A build whose narrow charset is already UTF-8
// only validates.
#include "host/text/encoding.h"
#include "host/text/utf8.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <iconv.h>

#ifndef DS_NARROW_CHARSET
#error "DS_NARROW_CHARSET must name the charset of narrow string literals"
#endif

namespace ds_text {
namespace {

constexpr std::size_t npos = std::string_view::npos;

using utf8_text::is_ascii;

std::string hex_bytes(std::string_view bytes)
{
    std::string out;
    for (const char c : bytes) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
        out += buf;
    }
    return out;
}

/// Length of the well-formed UTF-8 character at `pos` (overlong forms,
/// surrogates and code points past U+10FFFF refused), or 0 when it is not one.
std::size_t utf8_char_length(std::string_view s, std::size_t pos, char32_t* code_point = nullptr)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    std::size_t len = 0;
    char32_t cp = 0;
    if (lead < 0x80) { len = 1; cp = lead; }
    else if (lead >= 0xC2 && lead <= 0xDF) { len = 2; cp = lead & 0x1F; }
    else if (lead >= 0xE0 && lead <= 0xEF) { len = 3; cp = lead & 0x0F; }
    else if (lead >= 0xF0 && lead <= 0xF4) { len = 4; cp = lead & 0x07; }
    else return 0;
    if (pos + len > s.size()) return 0;
    for (std::size_t i = 1; i < len; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
    if (overlong || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return 0;
    if (code_point) *code_point = cp;
    return len;
}

/// Offset of the first byte that does not start a well-formed UTF-8 character, or npos.
std::size_t first_invalid_utf8(std::string_view s)
{
    for (std::size_t pos = 0; pos < s.size();) {
        const std::size_t len = utf8_char_length(s, pos);
        if (len == 0) return pos;
        pos += len;
    }
    return npos;
}

[[noreturn]] void throw_invalid_utf8(std::string_view s, std::size_t pos)
{
    throw conversion_error("invalid UTF-8: byte " + hex_bytes(s.substr(pos, 1)) + " at byte offset " +
                           std::to_string(pos));
}

void validate_utf8(std::string_view s)
{
    if (const std::size_t bad = first_invalid_utf8(s); bad != npos) throw_invalid_utf8(s, bad);
}

[[maybe_unused]] std::string describe_code_point(std::string_view utf8, std::size_t pos)
{
    char32_t cp = 0;
    const std::size_t len = utf8_char_length(utf8, pos, &cp);
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
    return std::string(buf) + " \"" + std::string(utf8.substr(pos, len)) + "\"";
}

/// One iconv descriptor per direction and thread, opened on first use: opening
/// costs far more than a short conversion.
class iconv_channel {
public:
    iconv_channel(const char* to, const char* from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw conversion_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~iconv_channel() { iconv_close(m_cd); }
    iconv_channel(const iconv_channel&) = delete;
    iconv_channel& operator=(const iconv_channel&) = delete;

    /// Converts `input`. At a sequence that does not convert, calls
    /// on_error(offset), which throws or appends a replacement to `out` and
    /// returns how many input bytes to skip.
    template <class OnError>
    std::string convert(std::string_view input, OnError on_error)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        std::size_t done = 0;
        char buffer[1024];
        while (done < input.size()) {
            char* in = const_cast<char*>(input.data() + done);
            std::size_t in_left = input.size() - done;
            char* dst = buffer;
            std::size_t dst_left = sizeof buffer;
            const std::size_t rc = iconv(m_cd, &in, &in_left, &dst, &dst_left);
            const int err = errno;
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            done = static_cast<std::size_t>(in - input.data());
            if (rc == static_cast<std::size_t>(-1) && err != E2BIG) {
                done += on_error(done, out);
                iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

private:
    iconv_t m_cd;
};

#if DS_NARROW_IS_GBK
/// The last conversions of short texts in one direction, one per slot. A
/// bridge repeats a few words (bridge parts, support types, bar shapes) in
/// thousands of rows, and each conversion costs two iconv calls and a check;
/// a conversion depends on nothing but its input, so the kept result is the
/// one iconv would give again. Only conversions that succeeded are kept.
class conversion_memo {
public:
    /// The kept result for `input`, or null.
    const std::string* find(std::string_view input) const
    {
        if (input.size() > longest) return nullptr;
        const slot& s = m_slots[slot_of(input)];
        return s.used && s.input == input ? &s.result : nullptr;
    }

    void keep(std::string_view input, const std::string& result)
    {
        if (input.size() > longest) return;
        slot& s = m_slots[slot_of(input)];
        s.input.assign(input);
        s.result = result;
        s.used = true;
    }

private:
    static constexpr std::size_t slots = 256;
    static constexpr std::size_t longest = 64;  ///< longer texts are rarely repeated word for word

    struct slot {
        std::string input, result;
        bool used = false;
    };

    static std::size_t slot_of(std::string_view input) { return std::hash<std::string_view>()(input) % slots; }

    std::array<slot, slots> m_slots;
};

conversion_memo& to_utf8_memo()
{
    thread_local conversion_memo memo;
    return memo;
}

conversion_memo& from_utf8_memo()
{
    thread_local conversion_memo memo;
    return memo;
}

iconv_channel& narrow_to_utf8_channel()
{
    thread_local iconv_channel channel("UTF-8", DS_NARROW_CHARSET);
    return channel;
}

iconv_channel& utf8_to_narrow_channel()
{
    thread_local iconv_channel channel(DS_NARROW_CHARSET, "UTF-8");
    return channel;
}

/// Narrow text as UTF-8, throwing at the first sequence that does not convert.
std::string strict_to_utf8(std::string_view narrow)
{
    return narrow_to_utf8_channel().convert(narrow, [&](std::size_t pos, std::string&) -> std::size_t {
        const std::string_view bad = narrow.substr(pos, afx_text::char_length(narrow, pos));
        throw conversion_error(std::string("invalid ") + DS_NARROW_CHARSET + " text: byte sequence " +
                               hex_bytes(bad) + " at byte offset " + std::to_string(pos));
    });
}

/// Valid UTF-8 as narrow text, throwing at the first character iconv refuses.
std::string strict_from_utf8(std::string_view utf8)
{
    return utf8_to_narrow_channel().convert(utf8, [&](std::size_t pos, std::string&) -> std::size_t {
        throw conversion_error("character " + describe_code_point(utf8, pos) + " at byte offset " +
                               std::to_string(pos) + " has no equivalent in " + DS_NARROW_CHARSET);
    });
}

/// glibc converts a few characters to nothing instead of refusing them (the
/// tag characters U+E0000 to U+E007F among them), so a conversion only counts
/// when converting its result back gives the input again. Called once that
/// failed: names the first character that does not come back.
[[noreturn]] void throw_lost_character(std::string_view utf8)
{
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t len = utf8_char_length(utf8, pos);
        const std::string_view one = utf8.substr(pos, len);
        if (strict_to_utf8(strict_from_utf8(one)) != one)
            throw conversion_error("character " + describe_code_point(utf8, pos) + " at byte offset " +
                                   std::to_string(pos) + " has no equivalent in " + DS_NARROW_CHARSET);
        pos += len;
    }
    throw conversion_error(std::string("text does not convert to ") + DS_NARROW_CHARSET + " and back unchanged");
}

/// The narrow-side twin of throw_lost_character, for GBK bytes whose UTF-8 does not convert back to them.
[[noreturn]] void throw_lost_sequence(std::string_view narrow)
{
    for (std::size_t pos = 0; pos < narrow.size();) {
        const std::size_t len = afx_text::char_length(narrow, pos);
        const std::string_view one = narrow.substr(pos, len);
        if (strict_from_utf8(strict_to_utf8(one)) != one)
            throw conversion_error(std::string("invalid ") + DS_NARROW_CHARSET + " text: byte sequence " +
                                   hex_bytes(one) + " at byte offset " + std::to_string(pos) +
                                   " does not convert to UTF-8 and back unchanged");
        pos += len;
    }
    throw conversion_error(std::string(DS_NARROW_CHARSET) + " text does not convert to UTF-8 and back unchanged");
}
#endif

/// GBK files are read whatever the in-memory charset is.
iconv_channel& gbk_file_to_utf8_channel()
{
    thread_local iconv_channel channel("UTF-8", "GBK");
    return channel;
}

}  // namespace

bool is_utf8(std::string_view bytes) { return first_invalid_utf8(bytes) == npos; }

std::string file_text_to_utf8(std::string_view bytes, file_charset charset)
{
    if (charset == file_charset::utf8 || is_ascii(bytes)) {
        validate_utf8(bytes);
        return std::string(bytes);
    }
    return gbk_file_to_utf8_channel().convert(bytes, [&](std::size_t pos, std::string&) -> std::size_t {
        throw conversion_error("invalid GBK text: byte " + hex_bytes(bytes.substr(pos, 1)) + " at byte offset " +
                               std::to_string(pos));
    });
}

const char* narrow_charset() { return DS_NARROW_CHARSET; }

std::string to_utf8(std::string_view narrow)
{
    if (is_ascii(narrow)) return std::string(narrow);
#if DS_NARROW_IS_GBK
    if (const std::string* kept = to_utf8_memo().find(narrow)) return *kept;
    std::string utf8 = strict_to_utf8(narrow);
    if (strict_from_utf8(utf8) != narrow) throw_lost_sequence(narrow);
    to_utf8_memo().keep(narrow, utf8);
    return utf8;
#else
    validate_utf8(narrow);
    return std::string(narrow);
#endif
}

CString from_utf8(std::string_view utf8)
{
    if (is_ascii(utf8)) return CString(utf8);
#if DS_NARROW_IS_GBK
    if (const std::string* kept = from_utf8_memo().find(utf8)) return CString(*kept);
    validate_utf8(utf8);
    std::string narrow = strict_from_utf8(utf8);
    if (strict_to_utf8(narrow) != utf8) throw_lost_character(utf8);
    from_utf8_memo().keep(utf8, narrow);
    return CString(std::move(narrow));
#else
    validate_utf8(utf8);
    return CString(utf8);
#endif
}

std::string to_gbk(std::string_view narrow)
{
    if (is_ascii(narrow)) return std::string(narrow);
#if DS_NARROW_IS_GBK
    (void)to_utf8(narrow);  // only checks: the bytes are GBK already
    return std::string(narrow);
#else
    validate_utf8(narrow);
    thread_local iconv_channel channel("GBK", "UTF-8");
    return channel.convert(narrow, [&](std::size_t pos, std::string&) -> std::size_t {
        throw conversion_error("character " + describe_code_point(narrow, pos) + " at byte offset " +
                               std::to_string(pos) + " has no equivalent in GBK");
    });
#endif
}

std::string to_utf8_for_display(std::string_view narrow)
{
    if (is_ascii(narrow)) return std::string(narrow);
#if DS_NARROW_IS_GBK
    return narrow_to_utf8_channel().convert(narrow, [&](std::size_t pos, std::string& out) -> std::size_t {
        out += hex_bytes(narrow.substr(pos, 1));
        return 1;
    });
#else
    std::string out;
    for (std::size_t pos = 0; pos < narrow.size();) {
        const std::size_t len = utf8_char_length(narrow, pos);
        if (len == 0) {
            out += hex_bytes(narrow.substr(pos, 1));
            ++pos;
        } else {
            out.append(narrow.substr(pos, len));
            pos += len;
        }
    }
    return out;
#endif
}

}  // namespace ds_text
