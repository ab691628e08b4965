// The two readers behind parse_text, each on its own: the fast one that reads
// nearly every text, and the library's, which gives every refusal its words.
#pragma once

#include <optional>
#include <string_view>

#include <nlohmann/json.hpp>

#include "host/json/json_text.h"

namespace ds_json {

/// The document as parse_text builds it, read by RapidJSON's SAX reader; empty
/// on any refusal, the text's own (syntax, encoding, a number out of range) or
/// ours (a repeated key, nesting deeper than max_depth), and for the odd text
/// it could read but not the way the library does (a number that underflows
/// to zero). `streamed` (may be null) may have been handed elements when the
/// text is refused. Throws only what the receiver throws, and bad_alloc.
std::optional<nlohmann::ordered_json> parse_text_fast(std::string_view utf8, const streamed_array* streamed);

/// The document read by nlohmann/json's parser, which is what decides: the
/// fast reader must agree with it on every text it accepts. Throws
/// json_text_error as parse_text does.
nlohmann::ordered_json parse_text_reference(std::string_view utf8, std::string_view source,
                                            const streamed_array* streamed = nullptr);

}  // namespace ds_json
