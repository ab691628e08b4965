// The local server in-process: the access rules and the HTTP door (token,
// Host, Origin, limits, no file paths), and the page built into the program.
#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <regex>
#include <thread>

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

}  // namespace
