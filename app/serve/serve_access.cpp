// Access checks of the local server.
#include "app/serve/serve_access.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace ds_app {

std::string new_access_token()
{
    unsigned char bytes[24];
    std::ifstream random("/dev/urandom", std::ios::binary);
    if (!random.read(reinterpret_cast<char*>(bytes), sizeof bytes))
        throw std::runtime_error("cannot read /dev/urandom for the access token");
    static const char digits[] = "0123456789abcdef";
    std::string token;
    for (unsigned char b : bytes) {
        token += digits[b >> 4];
        token += digits[b & 15];
    }
    return token;
}

bool same_token(std::string_view given, std::string_view token)
{
    if (given.size() != token.size() || token.empty()) return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < token.size(); ++i)
        difference |= static_cast<unsigned char>(given[i] ^ token[i]);
    return difference == 0;
}

access_rules make_access_rules(const std::string& bind_host, int port, std::string token)
{
    access_rules rules{std::move(token), {}, {}};
    const std::string suffix = ":" + std::to_string(port);
    std::vector<std::string> names{"127.0.0.1", "localhost", "[::1]"};
    const bool bracket = bind_host.find(':') != std::string::npos && bind_host.front() != '[';
    const std::string own = bracket ? "[" + bind_host + "]" : bind_host;
    if (std::find(names.begin(), names.end(), own) == names.end()) names.push_back(own);
    for (const std::string& name : names) {
        rules.hosts.push_back(name + suffix);
        rules.origins.push_back("http://" + name + suffix);
    }
    return rules;
}

std::optional<std::string> access_refusal(const access_rules& rules, const request_facts& request)
{
    const auto listed = [](const std::vector<std::string>& list, std::string_view value) {
        return std::find(list.begin(), list.end(), value) != list.end();
    };
    if (!listed(rules.hosts, request.host))
        return "the Host header \"" + std::string(request.host) + "\" does not name this server";
    if (!request.origin.empty() && !listed(rules.origins, request.origin))
        return "requests from pages of another origin (" + std::string(request.origin) + ") are refused";
    if (request.fetch_site == "cross-site" || request.fetch_site == "same-site")
        return "requests from pages of another site are refused";
    if (request.changes_state) {
        if (!same_token(request.header_token, rules.token)) return "a change needs the access token in X-DS-Token";
        return std::nullopt;
    }
    if (same_token(request.header_token, rules.token) || same_token(request.query_token, rules.token) ||
        same_token(request.cookie_token, rules.token))
        return std::nullopt;
    return "the access token is missing or wrong; open the address ds-host serve printed";
}

std::string token_cookie_name(int port) { return "ds_serve_" + std::to_string(port); }

}  // namespace ds_app
