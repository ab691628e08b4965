// Fuzz target: the strict JSON reader against the library's own parse. What
// the reader accepts must be the library's document, number types and float
// bits included, streamed or whole; what the library refuses, it refuses.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
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
    try {
        read = ds_json::parse_text(text, "fuzz.json");
    } catch (const ds_json::json_text_error&) {
    }
    if (!read) return 0;  // refused: by the library too, or for a repeated key or deep nesting
    if (!library) finding("the reader read a text the library refuses", "");
    if (auto difference = ds_test::json_difference(*read, *library); !difference.empty()) finding("the readers disagree", difference);

    // The streamed array's elements come in order, once.
    std::vector<ordered_json> elements;
    const ds_json::streamed_array streamed{"nodes", [&](const ds_json::flat_tree& e) { elements.push_back(e.to_json()); }};
    ordered_json document = ds_json::read_text(text, "fuzz.json", &streamed).to_json();
    if (document.is_object() && document.contains("nodes") && document["nodes"].is_array()) document["nodes"] = elements;
    if (auto difference = ds_test::json_difference(document, *read); !difference.empty())
        finding("streaming changes the document", difference);
    return 0;
}
