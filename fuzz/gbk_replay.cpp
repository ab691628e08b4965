// GBK replay: runs files and random mutations of them through the text
// conversions of a GBK build. libFuzzer needs clang, and clang keeps narrow
// text as UTF-8, so this driver is built with GCC and runs under the
// sanitizers of the build it belongs to.
//
//   gbk_replay [--mutations N] [--seconds S] [--seed X] FILE_OR_FOLDER...
//
// Every input and mutation is taken as UTF-8 and as narrow text. Each
// conversion must either refuse or round-trip: converting its result back
// gives the input again. The display conversion must never throw. A failure
// prints the input in hex and exits 1.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "host/framework/atomic_file.h"
#include "host/text/encoding.h"

namespace {

namespace fs = std::filesystem;

struct options {
    long mutations = 200;  ///< per input
    double seconds = 0;    ///< when above 0: keep mutating until then
    unsigned seed = 1;
    std::vector<fs::path> inputs;
};

/// Pieces worth splicing in: characters GBK lacks, characters iconv drops,
/// GBK lead bytes without their trail, UTF-8 cut short, the euro sign.
const std::vector<std::string> pieces = {
    "\xF3\xA0\x81\x81",  // U+E0041, a tag character
    "\xF3\xA0\x81\xBF", "\xC2\xB2", "\xE2\x88\x85", "\xE5\x9E\xAB", "\xD5\xE6", "\x81", "\xFE\xFE", "\x80",
    "\xE2\x82\xAC", "\xA2\xE3", std::string("\0", 1), "\xEF\xBB\xBF", "\xF0\x9F\x98\x80", "\xED\xA0\x80",
};

[[noreturn]] void report(const char* what, const std::string& input)
{
    std::fprintf(stderr, "gbk_replay: %s for input:\n", what);
    for (const unsigned char c : input) std::fprintf(stderr, "%02X", c);
    std::fprintf(stderr, "\n");
    std::exit(1);
}

void check(const std::string& text)
{
    const std::string_view input = text;
    try {
        const CString narrow = ds_text::from_utf8(input);
        if (ds_text::to_utf8(narrow) != input) report("UTF-8 -> narrow -> UTF-8 changed the text", text);
    } catch (const ds_text::conversion_error&) {
    }
    try {
        const std::string utf8 = ds_text::to_utf8(input);
        if (ds_text::from_utf8(utf8).str() != input) report("narrow -> UTF-8 -> narrow changed the text", text);
    } catch (const ds_text::conversion_error&) {
    }
    try {
        (void)ds_text::to_utf8_for_display(input);
    } catch (...) {
        report("the display conversion threw", text);
    }
}

std::string mutate(std::string text, std::mt19937& random)
{
    const int steps = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < steps; ++i) {
        const std::size_t at = text.empty() ? 0 : random() % (text.size() + 1);
        switch (random() % 4) {
        case 0: text.insert(at, pieces[random() % pieces.size()]); break;
        case 1:
            if (at < text.size()) text[at] = static_cast<char>(text[at] ^ (1 << (random() % 8)));
            break;
        case 2: text.erase(at, 1 + random() % 4); break;
        default: text.insert(at, 1, static_cast<char>(random() % 256)); break;
        }
    }
    return text;
}

std::vector<std::string> read_inputs(const std::vector<fs::path>& paths)
{
    std::vector<std::string> inputs;
    for (const fs::path& path : paths) {
        if (fs::is_directory(path)) {
            for (const auto& entry : fs::recursive_directory_iterator(path))
                if (entry.is_regular_file()) inputs.push_back(ds_file::read_whole_file(entry.path()));
        } else {
            inputs.push_back(ds_file::read_whole_file(path));
        }
    }
    return inputs;
}

options parse(int argc, char** argv)
{
    options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--mutations" && has_value) o.mutations = std::atol(argv[++i]);
        else if (arg == "--seconds" && has_value) o.seconds = std::atof(argv[++i]);
        else if (arg == "--seed" && has_value) o.seed = static_cast<unsigned>(std::atol(argv[++i]));
        else o.inputs.emplace_back(arg);
    }
    return o;
}

}  // namespace

int main(int argc, char** argv)
{
    const options o = parse(argc, argv);
    std::vector<std::string> inputs;
    try {
        inputs = read_inputs(o.inputs);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gbk_replay: %s\n", e.what());
        return 2;
    }
    if (inputs.empty()) inputs.emplace_back();
    std::mt19937 random(o.seed);
    // <chrono> does not compile with a GBK execution charset (its "µs" literal); seconds are enough here.
    const std::time_t until = std::time(nullptr) + static_cast<std::time_t>(o.seconds);
    long runs = 0;
    do {
        for (const std::string& input : inputs) {
            check(input);
            for (long m = 0; m < o.mutations; ++m, ++runs) check(mutate(input, random));
        }
    } while (o.seconds > 0 && std::time(nullptr) < until);
    std::printf("gbk_replay: %zu inputs, %ld mutations, no finding\n", inputs.size(), runs);
    return 0;
}
