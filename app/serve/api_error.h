// api_error: how a step of the local server refuses a request, with the HTTP
// status and the code the page acts on. Its own header, so that the request
// decoder builds without the served project (the decoder's fuzz target).
#pragma once

#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

namespace ds_app {

/// A step the server refuses: `status` is the HTTP status, `code` a word the
/// page acts on ("refused": the value or step is not accepted; "reload": the
/// page shows an old state; "missing": no such drawing or sheet; "bad": a
/// malformed request).
class api_error : public std::runtime_error {
public:
    api_error(int status, std::string code, const std::string& message, nlohmann::json lines = nlohmann::json::array(),
              nlohmann::json details = nlohmann::json::object())
        : std::runtime_error(message), status(status), code(std::move(code)), lines(std::move(lines)),
          details(std::move(details))
    {
    }
    int status;
    std::string code;
    nlohmann::json lines;    ///< what the step reported before it was refused
    nlohmann::json details;  ///< more of the answer: the report's warnings and notes, a refusal's "override" and "place"
};

}  // namespace ds_app
