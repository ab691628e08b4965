// Fuzz target: the fast JSON reader against the library's. The fast one may
// leave a text to the library, but never read one the library refuses, and
// what both read must be the same document, number types and float bits included.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "host/json/json_parsers.h"
#include "tests/support/json_same.h"

namespace {

using nlohmann::ordered_json;

[[noreturn]] void finding(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "%s%s%s\n", what, detail.empty() ? "" : ": ", detail.c_str());
    std::abort();
}

/// The document with the streamed elements put back in place, so that
/// streamed readings compare as whole documents.
ordered_json with_elements(ordered_json document, const std::vector<ordered_json>& elements)
{
    if (document.is_object() && document.contains("nodes") && document["nodes"].is_array()) document["nodes"] = elements;
    return document;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<ordered_json> reference;
    try {
        reference = ds_json::parse_text_reference(text, "fuzz.json");
    } catch (const ds_json::json_text_error&) {
    }
    const auto fast = ds_json::parse_text_fast(text, nullptr);
    if (!fast) return 0;  // left to the library, which has the last word
    if (!reference) finding("the fast reader read a text the library refuses", "");
    if (auto difference = ds_test::json_difference(*fast, *reference); !difference.empty())
        finding("the readers disagree", difference);

    // The streamed array's elements come in order, once, from either reader.
    std::vector<ordered_json> fast_elements, reference_elements;
    const ds_json::streamed_array to_fast{"nodes", [&](const ds_json::flat_tree& e) { fast_elements.push_back(e.to_json()); }, {}};
    const ds_json::streamed_array to_reference{"nodes", [&](const ds_json::flat_tree& e) { reference_elements.push_back(e.to_json()); }, {}};
    const auto fast_streamed = ds_json::parse_text_fast(text, &to_fast);
    if (!fast_streamed) finding("the fast reader refuses a text when streaming it", "");
    const auto reference_streamed = ds_json::parse_text_reference(text, "fuzz.json", &to_reference);
    if (auto difference = ds_test::json_difference(with_elements(*fast_streamed, fast_elements),
                                                   with_elements(reference_streamed, reference_elements));
        !difference.empty())
        finding("the readers stream differently", difference);
    if (auto difference = ds_test::json_difference(with_elements(*fast_streamed, fast_elements), *reference);
        !difference.empty())
        finding("streaming changes the document", difference);
    return 0;
}
