// The rules of the field catalogue: lookups and the one check every door calls.
#include "host/fields/field_catalogue.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "host/framework/string_tools.h"
#include "host/text/encoding.h"
#include "host/text/number_format.h"
#include "host/text/number_parse.h"
#include "host/text/utf8.h"

namespace field_catalogue {

namespace {

std::string number_text(double value) { return number_format::significant(value, 15); }

bool in_range(const number_range& r, double v) { return input_limits::accepts(r, v); }

std::string range_text(const number_range& r)
{
    std::string text = (r.min_open ? "above " : "from ") + number_text(r.min) + (r.min_open ? " and " : " ") +
                       (r.max_open ? "below " : (r.min_open ? "at most " : "to ")) + number_text(r.max);
    if (r.zero_unset) text += " (or 0, not given)";
    return text;
}

std::string trimmed(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return std::string(s);
}

/// Characters of a GBK text: a lead byte from 0x81 takes the next byte with it.
[[maybe_unused]] std::size_t gbk_chars(std::string_view s)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); ++n) i += (static_cast<unsigned char>(s[i]) >= 0x81 && i + 1 < s.size()) ? 2 : 1;
    return n;
}

/// Characters of a narrow text: GBK on the host, UTF-8 where the compiler
/// keeps narrow text as UTF-8.
std::size_t narrow_chars(std::string_view s)
{
#if DS_NARROW_IS_GBK
    return gbk_chars(s);
#else
    return utf8_text::count_characters(s);
#endif
}

/// A control character the text may not hold. Bytes below 0x20 are control
/// characters in GBK and UTF-8 alike: neither uses them inside a character.
std::optional<char> forbidden_control(std::string_view s, bool multi_line)
{
    for (char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if ((b < 0x20 || b == 0x7F) && !(multi_line && c == '\n')) return c;
    }
    return std::nullopt;
}

std::optional<refusal> text_rules(std::string_view s, std::size_t chars, std::size_t max_chars, bool multi_line)
{
    if (const auto c = forbidden_control(s, multi_line)) {
        char code[8];
        std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned char>(*c));
        return refusal{std::string("holds the control character ") + code + "; " +
                           (multi_line ? "only line breaks (\\n) are allowed" : "no control characters are allowed"),
                       multi_line ? "" : "keep the text on one line", true};
    }
    if (max_chars && chars > max_chars)
        return refusal{"is " + std::to_string(chars) + " characters long; at most " + std::to_string(max_chars) + " are allowed",
                       "", true};
    return std::nullopt;
}

bool read_whole(const std::string& s, long long& out) { return number_parse::parse_whole(s, out); }

std::string height_hint(const field& f)
{
    return std::string_view(f.separators) == "," ? "separate heights with ," : "separate heights with , ; or a space";
}

/// True when a comma or semicolon has no height on one side ("220,,230",
/// ",220", "220,"): the engineer left a height out, and a list stored so
/// would not say which.
bool has_empty_height(std::string_view s, std::string_view separators)
{
    bool height = false, separated = false;  // a height since the last comma; a comma seen
    for (const char c : s) {
        if ((c == ',' || c == ';') && separators.find(c) != std::string_view::npos) {
            if (!height) return true;
            height = false;
            separated = true;
        } else if (c != ' ' && c != '\t') {
            height = true;
        }
    }
    return separated && !height;
}

std::optional<refusal> check_heights(const field& f, const CString& text)
{
    if (has_empty_height(text.str(), f.separators)) return refusal{"has an empty height between separators", height_hint(f)};
    std::size_t read = 0;
    for (const CString& piece : string_tools::split_string(text, f.separators)) {
        const std::string one = trimmed(piece.str());
        if (one.empty()) continue;
        double value = 0;
        if (!number_parse::parse_real(one, value))
            return refusal{"needs heights in mm; \"" + ds_text::to_utf8_for_display(std::string_view(one)) + "\" is not a number", height_hint(f)};
        if (!in_range(f.range, value))
            return refusal{"needs each height " + range_text(f.range) + " mm; found " + number_text(value), height_hint(f)};
        ++read;
    }
    if (read == 0) return refusal{"needs at least one height in mm", height_hint(f)};
    return std::nullopt;
}

}  // namespace

const field* find_named(std::string_view name)
{
    for (const field& f : all_fields())
        if (name == f.name) return &f;
    return nullptr;
}

const field* find(const CString& table, const CString& key)
{
    for (const field& f : all_fields())
        for (const place& p : f.places)
            if (*p.key && table == p.table && key == p.key) return &f;
    return nullptr;
}

const field* find_by_caption(const CString& table, const CString& caption)
{
    for (const field& f : all_fields())
        for (const place& p : f.places)
            if (table == p.table && caption == p.caption) return &f;
    return nullptr;
}

const char* caption_at(std::string_view table, std::string_view key)
{
    for (const field& f : all_fields())
        for (const place& p : f.places)
            if (*p.key && table == p.table && key == p.key) return p.caption;
    throw std::logic_error("the field catalogue places no field at " + std::string(key) + " of the table " +
                           ds_text::to_utf8(table));
}

std::vector<CString> choices_at(std::string_view table, std::string_view key)
{
    caption_at(table, key);  // throws when no field is there
    std::vector<CString> list;
    for (const char* choice : find(CString(table), CString(key))->choices)
        if (*choice) list.emplace_back(choice);
    return list;
}

std::string caption_without_unit(std::string_view name, std::string_view table)
{
    if (const field* f = find_named(name))
        for (const place& p : f->places)
            if (table == p.table) {
                const std::string_view caption = p.caption;
                const auto open = caption.rfind('(');
                return std::string(open != std::string_view::npos && caption.ends_with(')') ? caption.substr(0, open) : caption);
            }
    throw std::logic_error("the field " + std::string(name) + " has no place in the table " + ds_text::to_utf8(table));
}

const char* name_in_messages(std::string_view name)
{
    const field* f = find_named(name);
    if (f && *f->label) return f->label;
    if (f && !f->places.empty()) return f->places.front().caption;
    throw std::logic_error("the field catalogue has no name for the field " + std::string(name));
}

bool is_caption(std::string_view table, std::string_view caption)
{
    for (const char* heading : sheet_headings(table))
        if (caption == heading) return true;
    for (const field& f : all_fields())
        for (const place& p : f.places)
            if (table == p.table && caption == p.caption) return true;
    return false;
}

std::optional<refusal> check(const field& f, const CString& text)
{
    const std::string_view s = text.str();
    if (f.kind == field_kind::text || f.kind == field_kind::heights || f.kind == field_kind::choice) {
        if (auto bad = text_rules(s, narrow_chars(s), f.max_chars, f.multi_line)) {
            bad->damage = false;
            return bad;
        }
    }
    long long whole = 0;
    double real = 0;
    switch (f.kind) {
    case field_kind::text:
        if (f.required && trimmed(s).empty()) return refusal{"may not be empty", ""};
        return std::nullopt;
    case field_kind::choice:
        for (const char* c : f.choices)
            if (text == c) return std::nullopt;
        return refusal{"needs one of the choices " + limits_text(f), ""};
    case field_kind::heights: return check_heights(f, text);
    case field_kind::whole:
        if (!read_whole(trimmed(s), whole)) return refusal{"needs a whole number " + limits_text(f), ""};
        if (!in_range(f.range, double(whole))) return refusal{"needs a whole number " + limits_text(f), ""};
        return std::nullopt;
    case field_kind::real:
        if (!number_parse::parse_real(s, real))
            return refusal{"needs a number " + limits_text(f), ""};
        if (!in_range(f.range, real)) return refusal{"needs a number " + limits_text(f), ""};
        return std::nullopt;
    }
    return std::nullopt;
}

CString canonical(const field& f, const CString& text)
{
    if (f.kind == field_kind::heights) return CString(number_parse::ascii_digits(text.str()).c_str());
    if (f.kind != field_kind::whole && f.kind != field_kind::real) return text;
    double value = 0;
    if (!number_parse::parse_real(text.str(), value)) return text;
    return CString(number_format::shortest(value).c_str());
}

std::optional<refusal> check_stored_text(const field& f, std::string_view s)
{
    if (auto bad = text_rules(s, utf8_text::count_characters(s), f.max_chars, f.multi_line)) return bad;
    if (f.kind != field_kind::heights || !f.stored_range) return std::nullopt;
    // Each number the module would read counts; pieces that are no number
    // are the drawing's business, not the loader's. Walked in place: a
    // load meets thousands of these.
    const std::string_view separators = f.separators;
    for (std::size_t start = 0; start <= s.size();) {
        std::size_t end = start;
        while (end < s.size() && separators.find(s[end]) == std::string_view::npos) ++end;
        const std::string piece(s.substr(start, end - start));  // strtod needs its end
        char* stop = nullptr;
        const double v = std::strtod(piece.c_str(), &stop);
        if (stop != piece.c_str() && !in_range(*f.stored_range, v))
            return refusal{"sizes up to " + number_text(f.stored_range->max) + " mm either way", ""};
        start = end + 1;
    }
    return std::nullopt;
}

std::optional<refusal> check_stored_number(const field& f, double value)
{
    if (!f.stored_range || in_range(*f.stored_range, value)) return std::nullopt;
    return refusal{range_text(*f.stored_range) + (*f.unit ? std::string(" ") + f.unit : std::string()), ""};
}

std::optional<refusal> check_stored(const field& f, const nlohmann::ordered_json& value)
{
    if (value.is_string()) return check_stored_text(f, value.get_ref<const std::string&>());
    if (!value.is_number()) return std::nullopt;
    return check_stored_number(f, value.get<double>());
}

std::size_t height_count(const field& f, const CString& text)
{
    std::size_t n = 0;
    for (const CString& piece : string_tools::split_string(text, f.separators)) {
        char* end = nullptr;
        std::strtod(piece.GetString(), &end);
        n += end != piece.GetString();
    }
    return n;
}

std::string limits_text(const field& f)
{
    const std::string unit = *f.unit ? std::string(" ") + f.unit : std::string();
    switch (f.kind) {
    case field_kind::whole:
    case field_kind::real: return range_text(f.range) + unit;
    case field_kind::heights: return "each height " + range_text(f.range) + unit + ", " + height_hint(f);
    case field_kind::text:
        return "text of at most " + std::to_string(f.max_chars) + " characters" +
               (f.multi_line ? ", line breaks allowed" : ", one line") + (f.required ? ", not empty" : "");
    case field_kind::choice: {
        std::string list;
        for (const char* c : f.choices) list += std::string(list.empty() ? "" : ", ") + (*c ? "\"" + ds_text::to_utf8(std::string_view(c)) + "\"" : "(empty)");
        return list;
    }
    }
    return {};
}

std::string escaped(std::string_view text, std::size_t most)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        const bool starts_character = b < 0x80 || b >= 0xC0;  // never half a UTF-8 character
        if (out.size() >= most && starts_character) return out + "...";
        if (b < 0x20 || b == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", b);
            out += code;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::optional<refusal> check_text(const CString& text, std::size_t max_chars, bool multi_line)
{
    auto bad = text_rules(text.str(), narrow_chars(text.str()), max_chars, multi_line);
    if (bad) bad->damage = false;
    return bad;
}

}  // namespace field_catalogue
