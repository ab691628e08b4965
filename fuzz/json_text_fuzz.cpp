// Fuzz target: the strict JSON reader against nlohmann/json's parse. What
// the reader accepts must be the library's document, number types and float
// bits included, streamed or whole; what the library refuses, it refuses; and
// it refuses nothing else but repeated keys, deep nesting, text after a zero
// byte (where the library stops reading) and zeros with huge exponents.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex>
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
    try {
        read = ds_test::json_of(ds_json::read_text(text, "fuzz.json"));
    } catch (const ds_json::json_text_error& e) {
        refusal = e.reason();
    }
    if (!read) {
        // Only a repeated key or deep nesting are ours to refuse in a text the library reads;
        // besides, what follows a zero byte (the library stops reading there) and a zero
        // with an exponent past 308 ("0e999", which the reader takes for a number too big).
        static const std::regex large_zero(R"((^|[^0-9.eE+-])-?0(\.0+)?[eE]\+?0*[1-9][0-9]{2,})");
        const bool ours = refusal.starts_with("duplicate key") || refusal.starts_with("nesting deeper") ||
                          (refusal == "unexpected character after the document" && text.find('\0') != std::string_view::npos) ||
                          (refusal.ends_with("number too big to be stored in double") &&
                           std::regex_search(text.begin(), text.end(), large_zero));
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
