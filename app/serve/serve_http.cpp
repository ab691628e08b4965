// Routes of the local server.
#include "app/serve/serve_http.h"

#include <httplib.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <utility>

#include "app/serve/guarded_server.h"
#include "app/serve/serve_assets.h"

namespace ds_app {

using nlohmann::json;

namespace {

/// Largest JSON request: a pasted block of a thousand list rows is well below.
constexpr std::size_t max_json_bytes = 2u << 20;

/// Headers of every answer: nothing is cached (the token is in the address),
/// the address is never sent on, only the page's own script runs (so an SVG
/// put into the page cannot run any), and no other site may frame the page.
void protect(httplib::Response& res)
{
    res.set_header("Cache-Control", "no-store");
    res.set_header("Referrer-Policy", "no-referrer");
    res.set_header("X-Content-Type-Options", "nosniff");
    res.set_header("X-Frame-Options", "DENY");
    res.set_header("Content-Security-Policy",
                   "default-src 'none'; script-src 'self'; style-src 'self' 'unsafe-inline'; img-src 'self' data:; "
                   "connect-src 'self'; frame-ancestors 'none'; form-action 'none'; base-uri 'none'");
}

void reply(httplib::Response& res, int status, const json& body)
{
    res.status = status;
    res.set_content(body.dump(-1, ' ', false, json::error_handler_t::replace), "application/json; charset=utf-8");
}

std::string cookie_value(const httplib::Request& req, const std::string& name)
{
    const std::string cookies = req.get_header_value("Cookie");
    const std::string wanted = name + "=";
    for (std::size_t at = 0; at < cookies.size();) {
        while (at < cookies.size() && (cookies[at] == ' ' || cookies[at] == ';')) ++at;
        const std::size_t end = std::min(cookies.find(';', at), cookies.size());
        if (cookies.compare(at, wanted.size(), wanted) == 0) return cookies.substr(at + wanted.size(), end - at - wanted.size());
        at = end;
    }
    return {};
}

/// RFC 5987 form of a UTF-8 file name, so the browser keeps its Chinese characters.
std::string attachment(const std::string& name)
{
    std::string encoded;
    char hex[4];
    for (unsigned char c : name) {
        if (std::isalnum(c) || c == '.' || c == '-' || c == '_') encoded += static_cast<char>(c);
        else {
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            encoded += hex;
        }
    }
    return "attachment; filename=\"download\"; filename*=UTF-8''" + encoded;
}

std::size_t sheet_param(const httplib::Request& req)
{
    const std::string text = req.get_param_value("sheet");
    if (text.empty()) return 0;
    if (text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        throw api_error(400, "bad", "the sheet must be a sheet number from 0");
    return std::stoul(text);
}

json body_json(const httplib::Request& req)
{
    if (req.body.size() > max_json_bytes) throw api_error(413, "bad", "the request is too large");
    if (req.get_header_value("Content-Type").rfind("application/json", 0) != 0)
        throw api_error(415, "bad", "the request must be JSON (Content-Type: application/json)");
    try {
        return json::parse(req.body);
    } catch (const json::exception& e) {
        throw api_error(400, "bad", std::string("the request is no JSON: ") + e.what());
    }
}

/// What a request must say of its framing before anything else is looked at:
/// its host once, and the length of a body it sends (a body that says neither
/// its length nor that it comes in chunks would be read until the client gives up).
std::optional<std::pair<int, std::string>> framing_refusal(const httplib::Request& req)
{
    if (req.get_header_value_count("Host") > 1) return std::pair(400, std::string("the request names its host more than once"));
    const bool sends_body = req.method == "POST" || req.method == "PUT" || req.method == "PATCH";
    if (sends_body && !req.has_header("Content-Length") &&
        req.get_header_value("Transfer-Encoding").find("chunked") == std::string::npos)
        return std::pair(411, std::string("a request with a body must give its length (Content-Length)"));
    return std::nullopt;
}

}  // namespace

struct web_server::impl {
    explicit impl(const server_limits& limits) : server(limits) {}
    guarded_server server;
};

web_server::web_server(served_project& project, server_limits limits)
    : m_impl(std::make_unique<impl>(limits))
{
    guarded_server& server = m_impl->server;

    server.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        guarded_server::headers_done();
        protect(res);
        if (const auto refusal = framing_refusal(req)) {
            res.set_header("Connection", "close");
            guarded_server::close_after_answer();
            reply(res, refusal->first, {{"error", refusal->second}, {"code", "bad"}});
            return httplib::Server::HandlerResponse::Handled;
        }
        const std::string host = req.get_header_value("Host"), origin = req.get_header_value("Origin"),
                          site = req.get_header_value("Sec-Fetch-Site"), header = req.get_header_value("X-DS-Token"),
                          query = req.get_param_value("token"), cookie = cookie_value(req, token_cookie_name(m_port));
        const bool reading = req.method == "GET" || req.method == "HEAD";
        const auto refusal = access_refusal(m_rules, {!reading, host, origin, site, header, query, cookie});
        if (!refusal) return httplib::Server::HandlerResponse::Unhandled;
        reply(res, 403, {{"error", *refusal}, {"code", "forbidden"}});
        return httplib::Server::HandlerResponse::Handled;
    });

    // A body cut off at the size limit as it arrived (a chunked one included).
    server.set_error_handler(httplib::Server::HandlerWithResponse([](const httplib::Request&, httplib::Response& res) {
        if (!guarded_server::body_too_large()) return httplib::Server::HandlerResponse::Unhandled;
        protect(res);
        res.set_header("Connection", "close");
        reply(res, 413, {{"error", "the request is too large"}, {"code", "bad"}});
        return httplib::Server::HandlerResponse::Handled;
    }));

    server.Get("/", [this](const httplib::Request& req, httplib::Response& res) {
        const web_asset* page = find_web_asset("index.html");
        res.set_content(std::string(page->bytes), std::string(page->content_type));
        if (same_token(req.get_param_value("token"), m_rules.token))
            res.set_header("Set-Cookie", token_cookie_name(m_port) + "=" + m_rules.token +
                                             "; Path=/; HttpOnly; SameSite=Strict");
    });
    server.Get(R"(/([a-z_-]+\.(?:js|css|svg)))", [](const httplib::Request& req, httplib::Response& res) {
        const web_asset* asset = find_web_asset(req.matches[1].str());
        if (!asset) return reply(res, 404, {{"error", "no such file"}, {"code", "missing"}});
        res.set_content(std::string(asset->bytes), std::string(asset->content_type));
    });

    served_project* const p = &project;
    using handler = std::function<json(const httplib::Request&)>;
    const auto api = [p](handler step) {
        return [p, step](const httplib::Request& req, httplib::Response& res) {
            std::lock_guard<std::mutex> hold(p->lock());
            try {
                reply(res, 200, step(req));
            } catch (const api_error& e) {
                json answer{{"error", e.what()}, {"code", e.code}, {"lines", e.lines}};
                answer.update(e.details);
                reply(res, e.status, answer);
            } catch (const std::exception& e) {
                reply(res, 500, {{"error", e.what()}, {"code", "failed"}});
            }
        };
    };
    const auto file = [p](std::function<served_project::download(const httplib::Request&)> make) {
        return [p, make](const httplib::Request& req, httplib::Response& res) {
            std::lock_guard<std::mutex> hold(p->lock());
            try {
                const served_project::download d = make(req);
                res.set_header("Content-Disposition", attachment(d.name));
                res.set_content(d.bytes, d.content_type);
            } catch (const api_error& e) {
                reply(res, e.status, {{"error", e.what()}, {"code", e.code}});
            } catch (const std::exception& e) {
                reply(res, 500, {{"error", e.what()}, {"code", "failed"}});
            }
        };
    };
    // Static, so the routes use it without capturing it.
    static const auto tag = [](const httplib::Request& req) { return req.get_param_value("tag"); };

    server.Get("/api/state", api([p](const auto& req) { return p->state(req.get_param_value("tab")); }));
    server.Get("/api/drawing", api([p](const auto& req) {
        // sheets=0: the tables alone, for the page that has the sheet from the edit's answer.
        const bool sheets = req.get_param_value("sheets") != "0";
        return p->drawing(tag(req), req.get_param_value("mode"), sheets ? std::optional(sheet_param(req)) : std::nullopt);
    }));
    server.Get("/api/sheets", api([p](const auto& req) { return p->sheets(tag(req), sheet_param(req)); }));
    server.Get("/api/project-table", api([p](const auto&) { return p->project_table(); }));
    for (const ds_sheet::sheet_format& format : ds_sheet::sheet_formats())
        if (format.scope == ds_sheet::sheet_scope::each_sheet)
            server.Get("/api/download/" + std::string(format.name), file([p, &format](const auto& req) {
                return p->sheet_download(tag(req), sheet_param(req), format);
            }));
    server.Get("/api/download/xlsx", file([p](const auto& req) { return p->xlsx_export(tag(req)); }));
    server.Get("/api/download/set-pdf", file([p](const auto&) { return p->set_pdf(); }));
    server.Get("/api/download/set-cad", file([p](const auto&) { return p->set_cad(); }));
    // Read while a build holds the project's lock: the set's progress has its own.
    server.Get("/api/sheet-set/progress",
               [p](const httplib::Request&, httplib::Response& res) { reply(res, 200, p->set_build_progress()); });
    server.Post("/api/sheet-set", api([p](const auto&) { return p->build_set(); }));

    server.Post("/api/drawings", api([p](const auto& req) { return p->add_drawing(body_json(req)); }));
    server.Post("/api/edit", api([p](const auto& req) { return p->edit(body_json(req)); }));
    server.Post("/api/paste", api([p](const auto& req) { return p->paste(body_json(req)); }));
    server.Post("/api/set-many", api([p](const auto& req) { return p->set_many(body_json(req)); }));
    server.Post("/api/reference", api([p](const auto& req) { return p->reference(body_json(req)); }));
    server.Post(R"(/api/(check|merge|convert|dismantle))",
                api([p](const auto& req) { return p->method(req.matches[1].str(), body_json(req)); }));
    server.Post("/api/undo", api([p](const auto& req) { return p->undo(body_json(req), false); }));
    server.Post("/api/redo", api([p](const auto& req) { return p->undo(body_json(req), true); }));
    server.Post("/api/reload", api([p](const auto&) { return p->reload(); }));
    server.Get("/api/structures", api([p](const auto&) { return p->structures(); }));
    server.Post("/api/structures/edit", api([p](const auto& req) { return p->structure_edit(body_json(req)); }));
    server.Post("/api/structures/paste", api([p](const auto& req) { return p->structure_paste(body_json(req)); }));
    server.Post("/api/structures/add", api([p](const auto& req) { return p->structure_add(body_json(req)); }));
    server.Post("/api/structures/remove", api([p](const auto& req) { return p->structure_remove(body_json(req)); }));
    server.Post("/api/structures/refresh", api([p](const auto& req) { return p->structure_refresh(body_json(req)); }));
    server.Post("/api/import", api([p](const auto& req) {
        const std::string version = req.get_param_value("version");
        if (version.empty() || version.size() > 18 || version.find_first_not_of("0123456789") != std::string::npos)
            throw api_error(400, "bad", "the import needs the drawing's version");
        const json request{{"tag", tag(req)}, {"version", std::stol(version)}, {"apply", req.get_param_value("apply") == "1"},
                           {"name", req.get_param_value("name").substr(0, 200)}, {"tab", req.get_param_value("tab")}};
        return p->import_sheet(request, req.body);
    }));
}

web_server::~web_server() = default;

int web_server::bind(const std::string& host, int port)
{
    m_port = port == 0 ? m_impl->server.bind_guarded_any(host) : (m_impl->server.bind_guarded(host, port) ? port : -1);
    if (m_port <= 0)
        throw std::runtime_error("cannot listen on " + host + (port ? ":" + std::to_string(port) : "") +
                                 (port ? " (is the port taken?)" : ""));
    m_host = host;
    m_rules = make_access_rules(host, m_port, new_access_token());
    return m_port;
}

std::string web_server::address() const
{
    const bool loopback = m_host == "127.0.0.1" || m_host == "0.0.0.0" || m_host == "::" || m_host == "localhost";
    const std::string name = loopback ? "127.0.0.1" : m_rules.hosts.back().substr(0, m_rules.hosts.back().rfind(':'));
    return "http://" + name + ":" + std::to_string(m_port) + "/?token=" + m_rules.token;
}

void web_server::run() { m_impl->server.listen_after_bind(); }
void web_server::stop() { m_impl->server.stop(); }

}  // namespace ds_app
