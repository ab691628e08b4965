// Fuzz target: the strict JSON reader against nlohmann/json's parse. What
// the reader accepts must be the library's document, number types and float
// bits included, streamed or whole; what the library refuses, it refuses; and
// it refuses nothing else but repeated keys, deep nesting, text after a zero
// byte (where the library stops reading) and the numbers json_text.h names.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <algorithm>
#include <string_view>
#include <vector>

#include "host/json/json_text.h"
#include "tests/support/json_same.h"

namespace {

using nlohmann::ordered_json;

[[noreturn]] void finding(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "%s%s%s\n", what, detail.empty() ? "" : ": ", detail.c_str());
    std::abort();
}

/// The byte at a 1-based line and character column of `text`, a byte order mark skipped.
std::size_t offset_of(std::string_view text, std::size_t line, std::size_t column)
{
    std::size_t at = 0;
    for (; at < text.size() && line > 1; ++at)
        if (text[at] == '\n') --line;
    for (; at < text.size(); ++at)
        if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80 && --column == 0) break;
    return at;
}

/// True when the number refused at `line`:`column` is one a double holds but the
/// reader refuses: a zero with an exponent past 308 and its fraction digits, or
/// an integer part past 308 digits.
bool too_big_for_the_reader(std::string_view text, std::size_t line, std::size_t column)
{
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::size_t at = offset_of(text, line, column);
    const auto digits = [&] {
        const std::size_t from = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
        return text.substr(from, at - from);
    };
    if (at < text.size() && text[at] == '-') ++at;
    const std::string_view whole = digits();
    std::string_view fraction;
    if (at < text.size() && text[at] == '.') ++at, fraction = digits();
    long exponent = 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        const bool negative = at < text.size() && text[at] == '-';
        if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
        for (const char c : digits()) exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000L);
        if (negative) exponent = -exponent;
    }
    const bool zero = whole.find_first_not_of('0') == std::string_view::npos && fraction.find_first_not_of('0') == std::string_view::npos;
    return (zero && exponent > 308 + static_cast<long>(fraction.size())) || whole.size() > 308;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<ordered_json> library;
    try {
        library = ordered_json::parse(text);
    } catch (const ordered_json::exception&) {
    }
    std::optional<ordered_json> read;
    std::string refusal;
    std::size_t line = 0, column = 0;
    try {
        read = ds_test::json_of(ds_json::read_text(text, "fuzz.json"));
    } catch (const ds_json::json_text_error& e) {
        refusal = e.reason();
        line = e.line();
        column = e.column();
    }
    if (!read) {
        // Only a repeated key or deep nesting are ours to refuse in a text the library reads,
        // besides what follows a zero byte (the library stops reading there) and the numbers
        // the reader takes for too big (json_text.h).
        const bool ours = refusal.starts_with("duplicate key") || refusal.starts_with("nesting deeper") ||
                          (refusal == "unexpected character after the document" && text.find('\0') != std::string_view::npos) ||
                          (refusal == "number too big to be stored in double" && too_big_for_the_reader(text, line, column));
        if (library && !ours)
            finding("the reader refused a text the library reads", refusal);
        return 0;
    }
    if (!library) finding("the reader read a text the library refuses", "");
    if (auto difference = ds_test::json_difference(*read, *library); !difference.empty()) finding("the readers disagree", difference);

    // The streamed array's elements come in order, once.
    std::vector<ordered_json> elements;
    const ds_json::streamed_array streamed{"nodes", [&](const ds_json::flat_tree& e) { elements.push_back(ds_test::json_of(e)); }};
    ordered_json document = ds_test::json_of(ds_json::read_text(text, "fuzz.json", &streamed));
    if (document.is_object() && document.contains("nodes") && document["nodes"].is_array()) document["nodes"] = elements;
    if (auto difference = ds_test::json_difference(document, *read); !difference.empty())
        finding("streaming changes the document", difference);
    return 0;
}
