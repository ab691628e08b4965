// Who may talk to the local server: what notebook servers do. A random token
// in the printed address is required on every request; the Host header must
// name this server (a page on another site that rebinds its DNS name to
// 127.0.0.1 still sends its own name); a request from a browser page on
// another origin is refused outright, and a state-changing request must carry
// the token in a header, which another site's page cannot set without the
// server's consent (the server never gives it: no CORS headers are sent).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ds_app {

/// A new access token: 192 random bits from the kernel, as 48 hex digits.
std::string new_access_token();

/// True when `given` equals `token`, compared in time independent of where they differ.
bool same_token(std::string_view given, std::string_view token);

struct access_rules {
    std::string token;
    std::vector<std::string> hosts;    ///< Host header values accepted, "127.0.0.1:8123"
    std::vector<std::string> origins;  ///< Origin header values accepted, "http://127.0.0.1:8123"
};

/// The rules of a server listening on `bind_host`:`port`: the loopback names
/// (127.0.0.1, localhost, [::1]) and `bind_host` itself.
access_rules make_access_rules(const std::string& bind_host, int port, std::string token);

/// What one request shows of itself; empty views for headers it lacks.
struct request_facts {
    bool changes_state = false;    ///< any method but GET and HEAD
    std::string_view host;
    std::string_view origin;
    std::string_view fetch_site;   ///< Sec-Fetch-Site
    std::string_view header_token; ///< X-DS-Token
    std::string_view query_token;  ///< ?token=
    std::string_view cookie_token; ///< the session cookie
};

/// Null when the request may go on; otherwise the reason it is refused.
std::optional<std::string> access_refusal(const access_rules& rules, const request_facts& request);

/// Name of the cookie the page gets after its first visit with the token;
/// per port, so two servers on one machine keep their own.
std::string token_cookie_name(int port);

}  // namespace ds_app
