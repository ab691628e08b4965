// Fuzz target: the local server's request decoder, from a request body to the
// cell edit and numbers it names. Whatever the body, the decoder either
// refuses it as a malformed request (api_error 400) or gives an edit whose
// row lies in the range every request number is checked against.
#include <cstdint>
#include <cstdlib>
#include <string>

#include <nlohmann/json.hpp>

#include "app/serve/api_error.h"
#include "app/serve/serve_request.h"

namespace {

template <class Step>
void decode(Step step)
{
    try {
        step();
    } catch (const ds_app::api_error& e) {
        if (e.status != 400 || e.code != "bad") std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The server parses bodies with the same call (serve_http.cpp); its own refusals are not the decoder's.
    const nlohmann::json request = nlohmann::json::parse(data, data + size, nullptr, false);
    if (request.is_discarded()) return 0;
    decode([&] {
        const ds_app::table_edit edit = ds_app::edit_of(request, "fuzz");
        if (edit.row < 0 || edit.row > ds_app::max_request_row) std::abort();
    });
    decode([&] {
        if (ds_app::request_number(request, "version") < 0) std::abort();
    });
    decode([&] { (void)ds_app::request_texts(request, "drawings"); });
    return 0;
}
