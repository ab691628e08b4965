// The local server in-process: the access rules and the HTTP door (token,
// Host, Origin, limits, no file paths), and the page built into the program.
#include <gtest/gtest.h>
#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <regex>
#include <thread>
#include <vector>

#include "app/serve/serve_assets.h"
#include "app/serve/serve_http.h"
#include "support/served_project.h"

namespace {

using namespace ds_test;

TEST(ServeAccess, RefusesWhatNotebookServersRefuse)
{
    const auto rules = ds_app::make_access_rules("127.0.0.1", 8123, "t0ken");
    const std::string own = "127.0.0.1:8123";
    struct row {
        const char* what;
        ds_app::request_facts facts;
        bool allowed;
    } rows[] = {
        {"GET with the token in a header", {false, own, "", "", "t0ken", "", ""}, true},
        {"GET with the token in the query", {false, "localhost:8123", "", "", "", "t0ken", ""}, true},
        {"GET with the session cookie", {false, own, "http://127.0.0.1:8123", "same-origin", "", "", "t0ken"}, true},
        {"no token", {false, own, "", "", "", "", ""}, false},
        {"a token one character off", {false, own, "", "", "t0keN", "", ""}, false},
        {"a prefix of the token", {false, own, "", "", "t0ke", "", ""}, false},
        {"a rebound DNS name", {false, "evil.example:8123", "", "", "t0ken", "", ""}, false},
        {"another port", {false, "127.0.0.1:8124", "", "", "t0ken", "", ""}, false},
        {"another origin", {true, own, "http://evil.example", "", "t0ken", "", ""}, false},
        {"a cross-site fetch", {false, own, "", "cross-site", "", "", "t0ken"}, false},
        {"a change with the cookie alone", {true, own, "http://127.0.0.1:8123", "", "", "", "t0ken"}, false},
        {"a change with the token in the query alone", {true, own, "", "", "", "t0ken", ""}, false},
        {"a change with the header", {true, own, "http://127.0.0.1:8123", "same-origin", "t0ken", "", ""}, true},
    };
    for (const auto& r : rows) EXPECT_EQ(!ds_app::access_refusal(rules, r.facts).has_value(), r.allowed) << r.what;
    EXPECT_EQ(ds_app::new_access_token().size(), 48u);
    EXPECT_NE(ds_app::new_access_token(), ds_app::new_access_token());
}

TEST(ServeAssets, ThePageNamesOnlyFilesBuiltIntoTheProgram)
{
    const ds_app::web_asset* page = ds_app::find_web_asset("index.html");
    ASSERT_TRUE(page);
    const std::string html(page->bytes);
    const std::regex reference(R"re((?:src|href)="([^"]+)")re");
    int found = 0;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), reference); it != std::sregex_iterator(); ++it, ++found)
        EXPECT_TRUE(ds_app::find_web_asset((*it)[1].str())) << (*it)[1].str();
    EXPECT_GE(found, 5);
    for (const auto& asset : ds_app::web_assets()) {
        EXPECT_FALSE(asset.bytes.empty()) << asset.name;
        EXPECT_EQ(asset.bytes.find("http"), std::string_view::npos) << asset.name << " fetches nothing from elsewhere";
    }
}

TEST_F(Served, HttpDoorNeedsTokenHostAndOriginAndServesNoFiles)
{
    ds_app::web_server server(*project);
    const int port = server.bind("127.0.0.1", 0);
    std::thread running([&] { server.run(); });
    struct stopper {
        ds_app::web_server& server;
        std::thread& running;
        ~stopper()
        {
            server.stop();
            running.join();
        }
    } stop_at_end{server, running};
    httplib::Client client("127.0.0.1", port);
    client.set_connection_timeout(5);
    client.set_read_timeout(20);
    const std::string token = server.rules().token, own = "127.0.0.1:" + std::to_string(port);
    const httplib::Headers with_token{{"X-DS-Token", token}};
    const auto get = [&](const std::string& path, httplib::Headers headers) {
        auto answer = client.Get(path.c_str(), headers);
        return answer ? answer->status : -1;
    };
    EXPECT_EQ(get("/api/state", with_token), 200);
    EXPECT_EQ(get("/api/state", {}), 403);
    EXPECT_EQ(get("/api/state", {{"X-DS-Token", token}, {"Host", "evil.example:" + std::to_string(port)}}), 403);
    EXPECT_EQ(get("/?token=" + token, {}), 200);
    EXPECT_EQ(get("/serve.js", with_token), 200);
    EXPECT_EQ(get("/serve.js", {}), 403);
    for (const char* path : {"/../CMakeLists.txt", "/%2e%2e/p.json", "/p.json", "/api/download/svg?tag=../p.json"})
        EXPECT_GE(get(path, with_token), 400) << path;

    const std::string body = json{{"tag", tag}, {"version", version()}, {"table", construction}, {"key", "m_dWidth"}, {"value", "600"}}.dump();
    auto foreign = client.Post("/api/edit", {{"X-DS-Token", token}, {"Origin", "http://evil.example"}}, body, "application/json");
    ASSERT_TRUE(foreign);
    EXPECT_EQ(foreign->status, 403);
    auto tokenless = client.Post("/api/edit", {{"Origin", "http://" + own}}, body, "application/json");
    EXPECT_EQ(tokenless->status, 403);
    auto as_form = client.Post("/api/edit", with_token, body, "text/plain");
    EXPECT_EQ(as_form->status, 415);
    auto huge = client.Post("/api/edit", with_token, std::string(ds_app::max_upload_bytes + 1, ' '), "application/json");
    EXPECT_TRUE(!huge || huge->status == 413);
    EXPECT_EQ(cell("m_dWidth"), "560") << "no refused request changed anything";
    auto accepted = client.Post("/api/edit", {{"X-DS-Token", token}, {"Origin", "http://" + own}}, body, "application/json");
    ASSERT_TRUE(accepted);
    EXPECT_EQ(accepted->status, 200) << accepted->body;
    EXPECT_EQ(cell("m_dWidth"), "600");
}

/// A server of the project on a free loopback port, running until the end of the scope.
struct running_server {
    ds_app::web_server server;
    int port;
    std::thread thread;
    running_server(ds_app::served_project& project, ds_app::server_limits limits)
        : server(project, limits), port(server.bind("127.0.0.1", 0)), thread([this] { server.run(); })
    {
    }
    ~running_server()
    {
        server.stop();
        thread.join();
    }
};

/// A raw loopback connection, for clients no library would make.
struct raw_client {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    explicit raw_client(int port)
    {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(static_cast<std::uint16_t>(port));
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected = ::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0;
    }
    ~raw_client() { ::close(fd); }
    bool send_text(const std::string& text) { return ::send(fd, text.data(), text.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(text.size()); }
    /// What the server sends within `wait`, up to its closing the connection.
    std::string answer(std::chrono::milliseconds wait)
    {
        std::string got;
        const auto until = std::chrono::steady_clock::now() + wait;
        char buffer[4096];
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
            pollfd p{fd, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) return got;
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) return got + (n == 0 ? "<closed>" : "");
            got.append(buffer, static_cast<std::size_t>(n));
        }
    }
    bool connected = false;
};

int status_of(const std::string& answer) { return answer.size() > 12 ? std::atoi(answer.c_str() + 9) : -1; }

TEST_F(Served, SlowOrGreedyClientsCannotStopTheServer)
{
    ds_app::server_limits limits;
    limits.header_deadline = std::chrono::milliseconds(3000);
    limits.workers = 16;
    limits.max_body_bytes = 256 * 1024;
    running_server running(*project, limits);
    const std::string token = running.server.rules().token, host = "Host: 127.0.0.1:" + std::to_string(running.port) + "\r\n";
    const auto ask = [&](const std::string& request) {
        raw_client c(running.port);
        c.send_text(request);
        return c.answer(std::chrono::seconds(5));
    };

    // Clients that dribble their headers hold no worker past the header deadline,
    // and a dozen of them leave the others free meanwhile: another client is
    // answered while they are all still connected.
    std::vector<std::unique_ptr<raw_client>> slow;
    for (int i = 0; i < 12; ++i) {
        slow.push_back(std::make_unique<raw_client>(running.port));
        slow.back()->send_text("GET /api/state HTTP/1.1\r\n");
    }
    EXPECT_EQ(status_of(ask("GET /api/state HTTP/1.1\r\n" + host + "X-DS-Token: " + token + "\r\n\r\n")), 200);
    for (auto& c : slow) EXPECT_EQ(c->answer(std::chrono::milliseconds(0)), "") << "still connected";
    for (int tick = 0; tick < 8; ++tick) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        for (auto& c : slow) c->send_text("X");
    }
    for (auto& c : slow) {
        const std::string end = c->answer(std::chrono::seconds(2));
        EXPECT_TRUE(end.size() >= 8 && end.substr(end.size() - 8) == "<closed>") << "cut off at the deadline: " << end;
    }

    // A body of no stated length is refused at once, not waited for (the
    // library would wait for it until its read timeout).
    const auto posted = std::chrono::steady_clock::now();
    const std::string unstated = ask("POST /api/undo HTTP/1.1\r\n" + host + "X-DS-Token: " + token + "\r\n\r\n");
    EXPECT_EQ(status_of(unstated), 411);
    EXPECT_TRUE(unstated.ends_with("<closed>")) << unstated;
    EXPECT_LT(std::chrono::steady_clock::now() - posted, std::chrono::seconds(5));
    // Two Host headers are one too many.
    EXPECT_EQ(status_of(ask("GET /api/state HTTP/1.1\r\n" + host + host + "X-DS-Token: " + token + "\r\n\r\n")), 400);

    // A chunked body is counted as it arrives and refused at the limit, the
    // connection closed while the client still has most of it to send.
    raw_client chunked(running.port);
    chunked.send_text("POST /api/edit HTTP/1.1\r\n" + host + "X-DS-Token: " + token +
                      "\r\nContent-Type: application/json\r\nTransfer-Encoding: chunked\r\n\r\n");
    const std::string piece = "10000\r\n" + std::string(0x10000, ' ') + "\r\n";
    int sent = 0;
    for (pollfd p{chunked.fd, POLLIN, 0}; sent < 256 && ::poll(&p, 1, 0) == 0 && chunked.send_text(piece);) ++sent;
    EXPECT_LT(sent, 256) << "the server answered long before 16 MiB arrived";
    EXPECT_EQ(status_of(chunked.answer(std::chrono::seconds(5))), 413);

    // A burst of clients is held by the backlog and answered, none reset.
    std::vector<std::unique_ptr<raw_client>> burst;
    for (int i = 0; i < 200; ++i) burst.push_back(std::make_unique<raw_client>(running.port));
    for (auto& c : burst) c->send_text("GET /api/state HTTP/1.1\r\n" + host + "X-DS-Token: " + token + "\r\nConnection: close\r\n\r\n");
    int answered = 0;
    for (auto& c : burst) answered += c->connected && status_of(c->answer(std::chrono::seconds(10))) == 200;
    EXPECT_EQ(answered, 200);

    // Numbers are range-checked at their full width before any narrowing:
    // 2^32 + 1 must not become row 1, nor 2^32 the property table.
    for (const char* row : {"4294967297", "4294967296", "18446744073709551617", "-1"}) {
        const std::string body = "{\"tag\":\"" + tag + "\",\"version\":" + std::to_string(version()) +
                                 ",\"mode\":\"advanced\",\"table\":\"" + construction + "\",\"row\":" + row +
                                 ",\"key\":\"m_dWidth\",\"value\":\"600\"}";
        const std::string answer = ask("POST /api/edit HTTP/1.1\r\n" + host + "X-DS-Token: " + token +
                                       "\r\nContent-Type: application/json\r\nContent-Length: " + std::to_string(body.size()) +
                                       "\r\n\r\n" + body);
        EXPECT_EQ(status_of(answer), 400) << row << ": " << answer;
    }
    EXPECT_EQ(cell("m_dWidth"), "560");
}

}  // namespace
