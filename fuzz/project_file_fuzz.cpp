// Fuzz target: the project file reader. Whatever it accepts must save and load
// back to the same document, so a value that passes the reader cannot change
// or vanish on the next save.
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string_view>

#include <nlohmann/json.hpp>

#include "frame/ds_ui_module.h"
#include "host/project/project_file.h"

namespace {

std::vector<const data_node_base*> pointers(const ds_project::loaded_project& project)
{
    std::vector<const data_node_base*> nodes;
    for (const auto& node : project.nodes) nodes.push_back(node.get());
    return nodes;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The module's classes are created by name only after its entry point ran, as in the host.
    if (DllMain(nullptr, DLL_PROCESS_ATTACH, nullptr) != TRUE) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ds_project::loaded_project loaded;
    try {
        loaded = ds_project::load_project_text(text, "fuzz.json");
    } catch (const ds_project::project_error&) {
        return 0;  // a clear refusal is the right answer to most inputs
    }
    // Saving can refuse what loading accepted (a node whose text does not
    // convert back); that is a finding too, so nothing is caught from here on.
    const std::string saved = ds_project::project_text(pointers(loaded));
    // The text is laid out while the members come; it must be the library's layout of its own document.
    if (saved != nlohmann::ordered_json::parse(saved).dump(2) + "\n") {
        std::fprintf(stderr, "the saved text is not laid out as the library lays out its document\n");
        std::abort();
    }
    const auto reloaded = ds_project::load_project_text(saved, "saved");
    if (ds_project::project_text(pointers(reloaded)) != saved) {
        std::fprintf(stderr, "the saved project loads back different\n");
        std::abort();
    }
    // A project saved in the current layout reads the values it wrote: its
    // load's digest is its save's (one stored in an older layout is converted
    // on the way in, so the first load may differ).
    if (reloaded.digest != ds_project::project_digest(pointers(reloaded))) {
        std::fprintf(stderr, "the load's digest of a saved project is not its save's\n");
        std::abort();
    }
    return 0;
}
