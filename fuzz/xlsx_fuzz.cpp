// Fuzz target: the XLSX reader, the most exposed parser (zip and XML from
// anywhere). It must refuse or read, never crash, and what it reads must keep
// inside the limits it promises.
//
// An input that begins with "PK" goes to the reader as it is (mutations of
// the zip layer). Any other input is a list of parts, each introduced by a
// line "==> NAME", packed into a zip here first: a mutated part would
// otherwise fail its checksum, and the XML readers would never be reached.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/xlsx_parts.h"

namespace {

using xlsx_fuzz::part;

std::vector<part> split_parts(std::string_view input)
{
    std::vector<part> parts;
    constexpr std::string_view marker = "==> ";
    std::size_t at = input.starts_with(marker) ? 0 : input.find("\n==> ");
    while (at != std::string_view::npos && parts.size() < 32) {
        const std::size_t name_at = input[at] == '\n' ? at + 1 + marker.size() : at + marker.size();
        const std::size_t line_end = input.find('\n', name_at);
        if (line_end == std::string_view::npos) break;
        const std::size_t next = input.find("\n==> ", line_end);
        const std::size_t end = next == std::string_view::npos ? input.size() : next;
        parts.push_back({std::string(input.substr(name_at, line_end - name_at)),
                         std::string(input.substr(line_end + 1, end - line_end - 1))});
        at = next;
    }
    return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The parts are stored, not deflated: deflating every input took nine tenths
    // of a run, and inflating them is libzip's code, not ours.
    xlsx_fuzz::read_and_check(input.starts_with("PK") ? std::string(input) : xlsx_fuzz::pack(split_parts(input), false));
    return 0;
}
