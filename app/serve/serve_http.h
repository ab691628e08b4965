// The local server's HTTP side: the built-in page and the JSON API over
// cpp-httplib, every request checked by serve_access first and every API call
// run under the served project's lock. The routes are fixed; no part of a
// request's path or query ever names a file.
#pragma once

#include <memory>
#include <string>

#include "app/serve/guarded_server.h"
#include "app/serve/serve_access.h"
#include "app/serve/serve_project.h"

namespace ds_app {

/// Largest request body: an uploaded workbook. The page's JSON requests are
/// held to a smaller size (serve_http.cpp).
inline constexpr std::size_t max_upload_bytes = server_limits{}.max_body_bytes;

class web_server {
public:
    /// The server of `project`, guarded by `limits` (deadlines, sizes, connections).
    explicit web_server(served_project& project, server_limits limits = {});
    ~web_server();
    web_server(const web_server&) = delete;
    web_server& operator=(const web_server&) = delete;

    /// Binds to `host`:`port` (port 0: a free one, chosen by the system) and
    /// makes the access rules with a new token. Returns the port; throws
    /// std::runtime_error when the address cannot be bound.
    int bind(const std::string& host, int port);
    const access_rules& rules() const { return m_rules; }
    /// The address to open: the loopback name when bound to it, with the token.
    std::string address() const;

    /// Serves until stop() is called (from another thread).
    void run();
    void stop();

private:
    struct impl;
    std::unique_ptr<impl> m_impl;
    access_rules m_rules;
    std::string m_host;
    int m_port = 0;
};

}  // namespace ds_app
