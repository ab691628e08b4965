// A served project for the local server's in-process tests: one module and
// one workspace for the whole program, as in ds-host, and each test's own copy
// of a project made once.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/core/project/app_context.h"
#include "app/core/drawing/drawing_setup.h"
#include "app/serve/serve_project.h"

namespace ds_test {


namespace fs = std::filesystem;
using nlohmann::json;
using ds_app::api_error;

const std::string construction = reinterpret_cast<const char*>(u8"垫石-构造属性");

inline std::string file_bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// One module and one workspace for the whole program, as in ds-host; each
/// test serves its own copy of a project made once.
class Served : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        context = new ds_app::app_context;
        context->module_file = fs::path(DS_BIN_DIR) / "libDS_ui.so";
        template_file = fs::temp_directory_path() / ("ds-serve-test-" + std::to_string(getpid()) + ".json");
        ds_app::workspace& project = context->project();
        project.add_sample_bridge();
        ds_app::step_report report;
        ds_app::add_pedestal_drawing(project, reinterpret_cast<const char*>(u8"垫石"), false, report);
        ds_app::add_pedestal_drawing(project, "list", true, report);
        project.save(template_file);
    }
    static void TearDownTestSuite()
    {
        fs::remove(template_file);
        delete context;
    }

    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("ds-serve-test-" + std::to_string(getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        file = dir / "p.json";
        fs::copy_file(template_file, file, fs::copy_options::overwrite_existing);
        project = std::make_unique<ds_app::served_project>(*context, file);
        const json state = project->state();
        for (const auto& d : state["drawings"])
            if (d["kind"] == "single") tag = d["tag"].get<std::string>();
        ASSERT_FALSE(tag.empty()) << project->state().dump();
    }
    void TearDown() override
    {
        project.reset();
        fs::remove_all(dir);
    }

    long version() { return project->drawing(tag, "advanced", std::nullopt)["version"]; }
    json edit(const std::string& key, const std::string& value, long at)
    {
        return project->edit({{"tag", tag}, {"version", at}, {"table", construction}, {"key", key}, {"value", value}});
    }
    /// The value the advanced grid shows in the construction table.
    std::string cell(const std::string& key)
    {
        const json shown = project->drawing(tag, "advanced", std::nullopt);
        for (const auto& group : shown["tables"]["templates"])
            for (const auto& t : group["tables"])
                if (t["name"] == construction)
                    for (const auto& c : t["cells"])
                        if (c["key"] == key) return c["value"];
        return "(none)";
    }
    /// The api_error `step` throws; fails the test when it throws none.
    template <class F>
    api_error refusal(F step)
    {
        try {
            step();
        } catch (const api_error& e) {
            return e;
        }
        ADD_FAILURE() << "the step was not refused";
        return api_error(0, "", "");
    }

    static inline ds_app::app_context* context = nullptr;
    static inline fs::path template_file;
    fs::path dir, file;
    std::unique_ptr<ds_app::served_project> project;
    std::string tag;
};

}  // namespace ds_test
