// End-to-end checks of the ds-host program: the built binary is run as a user
// runs it, on project and CSV files in a fresh folder, and its exit code,
// output and files are checked.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/framework/atomic_file.h"
#include "support/temp_folder.h"
#include "support/utf8_literal.h"

namespace {

using ds_test::utf8;
namespace fs = std::filesystem;

struct run_result {
    int exit_code = -1;
    std::string out;
    std::string err;
};

std::string read_file(const fs::path& file) { return ds_file::read_whole_file(file); }

void write_file(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

/// Single quotes for the shell.
std::string quoted(const std::string& text)
{
    std::string q = "'";
    for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class ds_host_cli : public ds_test::temp_folder_test {
protected:
    void SetUp() override
    {
        temp_folder_test::SetUp();
        m_project = m_dir / "project.json";
    }

    /// Runs ds-host with `args` (each passed as one word), capturing its output in the test folder.
    run_result run(const std::vector<std::string>& args)
    {
        std::string command = quoted((fs::path(DS_BIN_DIR) / "ds-host").string());
        for (const std::string& arg : args) command += " " + quoted(arg);
        const fs::path out = m_dir / "stdout.txt", err = m_dir / "stderr.txt";
        command += " >" + quoted(out.string()) + " 2>" + quoted(err.string());
        const int status = std::system(command.c_str());
        run_result result;
        result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = read_file(out);
        result.err = read_file(err);
        return result;
    }

    /// A project on the sample bridge with one single drawing that refers to pier 1.
    void make_referenced_project()
    {
        ASSERT_EQ(run({"new", m_project.string()}).exit_code, 0);
        ASSERT_EQ(run({"add", m_project.string(), "--name", utf8(u8"垫石")}).exit_code, 0);
        const run_result ref =
            run({"reference", m_project.string(), "--structure", utf8(u8"主线1号墩"), "--rows", "1", "--numbers", "1,2"});
        ASSERT_EQ(ref.exit_code, 0) << ref.err;
    }

    /// Exports the drawing to `csv` and gives back its text.
    std::string export_csv(const fs::path& csv)
    {
        const run_result exported = run({"export", m_project.string(), "--csv", csv.string()});
        EXPECT_EQ(exported.exit_code, 0) << exported.err;
        return read_file(csv);
    }

    fs::path m_project;
};

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(ds_host_cli, single_road_on_the_sample_runs_every_step_and_reloads_equal)
{
    const run_result road = run({"road", m_project.string()});
    ASSERT_EQ(road.exit_code, 0) << road.err;
    EXPECT_TRUE(contains(road.out, utf8(u8"get_ref_structure_data(主线1号墩): true")));
    EXPECT_TRUE(contains(road.out, utf8(u8"墩台名称：主线1号墩")));
    // The grid edit reaches the drawing, then the edited spreadsheet replaces it.
    EXPECT_TRUE(contains(road.out, utf8(u8"高度[200,210]")));
    EXPECT_TRUE(contains(road.out, utf8(u8"高度[220,230]")));
    EXPECT_TRUE(contains(road.out, utf8(u8"垫石排号 = 1")));
    EXPECT_TRUE(contains(road.out, "step 11: save and reload"));
    EXPECT_FALSE(contains(road.out, "DIFFERS"));
    EXPECT_TRUE(fs::exists(m_project));

    // A second road on the same file needs --force.
    const run_result again = run({"road", m_project.string()});
    EXPECT_NE(again.exit_code, 0);
    EXPECT_TRUE(contains(again.err, "--force"));
}

TEST_F(ds_host_cli, a_csv_edited_outside_is_imported_and_a_failed_import_changes_nothing)
{
    make_referenced_project();
    const fs::path csv = m_dir / "pedestal.csv";
    const std::string exported = export_csv(csv);
    const std::string project_before = read_file(m_project);

    struct bad_csv {
        std::string text;
        std::string error;
    };
    const std::string length_row = "\"" + utf8(u8"顺桥向长度(mm)") + "\",\"460.0\"";
    std::string not_a_number = exported, wrong_caption = exported;
    not_a_number.replace(not_a_number.find(length_row), length_row.size(), "\"" + utf8(u8"顺桥向长度(mm)") + "\",\"abc\"");
    wrong_caption.replace(wrong_caption.find(length_row), length_row.size(), "\"" + utf8(u8"宽度") + "\",\"460\"");
    const bad_csv cases[] = {
        {"\"unbalanced,1\r\n", "bad.csv"},
        {not_a_number, "row 6"},
        {wrong_caption, "row 6"},
        {exported.substr(0, exported.find('\n', exported.find('\n') + 1) + 1), "row 3"},
    };
    for (const bad_csv& c : cases) {
        const fs::path bad = m_dir / "bad.csv";
        write_file(bad, c.text);
        const run_result imported = run({"import", m_project.string(), "--csv", bad.string()});
        EXPECT_NE(imported.exit_code, 0) << c.text;
        EXPECT_TRUE(contains(imported.err, c.error)) << imported.err;
        EXPECT_EQ(read_file(m_project), project_before) << c.text;
    }
    EXPECT_EQ(export_csv(m_dir / "again.csv"), exported);

    // Edit the height row of the exported table, as a spreadsheet user would.
    std::string text = exported;
    const std::string height_row = "\"" + utf8(u8"高度(mm)") + "\",";
    const auto row = text.find(height_row);
    ASSERT_NE(row, std::string::npos) << text;
    text.replace(row, text.find('\n', row) - row, height_row + "\"310,320\"\r");
    write_file(csv, text);
    const run_result imported = run({"import", m_project.string(), "--csv", csv.string()});
    ASSERT_EQ(imported.exit_code, 0) << imported.err;
    EXPECT_TRUE(contains(imported.out, "310,320"));
    const run_result drawn = run({"draw", m_project.string()});
    ASSERT_EQ(drawn.exit_code, 0) << drawn.err;
    EXPECT_TRUE(contains(drawn.out, utf8(u8"高度[310,320]"))) << drawn.out;
}

TEST_F(ds_host_cli, bad_names_and_edits_are_refused_with_what_would_work)
{
    make_referenced_project();
    const std::string before = read_file(m_project);
    struct bad_call {
        std::vector<std::string> args;
        std::string error;
    };
    const std::string project = m_project.string();
    const bad_call calls[] = {
        {{"draw", project, "--drawing", utf8(u8"无此图")}, utf8(u8"known: 垫石")},
        {{"reference", project, "--structure", utf8(u8"主线9号墩")}, utf8(u8"known: 主线0号台, 主线1号墩")},
        {{"reference", project, "--structure", utf8(u8"主线1号墩"), "--numbers", "7"}, "took nothing"},
        {{"grid", project, "--set", "no-equals-sign"}, "TABLE.KEY=VALUE"},
        {{"grid", project, "--set", utf8(u8"垫石-构造属性.m_dWidth=wide")}, "is not a number"},
        {{"grid", project, "--set", utf8(u8"垫石-构造属性.m_nothing=1")}, "keys: m_dWidth"},
        {{"grid", project, "--set", utf8(u8"无此表.m_dWidth=1")}, utf8(u8"tables: 垫石-构造属性")},
        {{"grid", project, "--mode", "common", "--set", utf8(u8"垫石-总体属性.m_GetType=随便")}, utf8(u8"choices: 自定义")},
        {{"merge", project, "--drawings", utf8(u8"垫石,无此图")}, utf8(u8"无此图")},
    };
    for (const bad_call& call : calls) {
        const run_result r = run(call.args);
        EXPECT_NE(r.exit_code, 0) << call.args[0];
        EXPECT_TRUE(contains(r.err, call.error)) << r.err;
        EXPECT_EQ(read_file(m_project), before) << r.err;
    }
}

TEST_F(ds_host_cli, grid_edits_from_a_file_are_saved_through_the_observer)
{
    make_referenced_project();
    const fs::path edits = m_dir / "edits.txt";
    write_file(edits, utf8(u8"# widen and renumber\n垫石-构造属性.m_dWidth = 640\n\n垫石-绘图设置.m_DS_number=2\n"));
    const run_result edited = run({"grid", m_project.string(), "--edits", edits.string()});
    ASSERT_EQ(edited.exit_code, 0) << edited.err;

    const run_result shown = run({"grid", m_project.string()});
    ASSERT_EQ(shown.exit_code, 0) << shown.err;
    EXPECT_TRUE(contains(shown.out, utf8(u8"横桥向宽度(mm) = 640")));
    EXPECT_TRUE(contains(shown.out, utf8(u8"垫石编号 = 2")));
    EXPECT_TRUE(contains(shown.out, "unchanged")) << "showing alone must not write the project";

    write_file(edits, utf8(u8"垫石-构造属性.m_dWidth=650\nnot an edit\n"));
    const run_result bad = run({"grid", m_project.string(), "--edits", edits.string()});
    EXPECT_NE(bad.exit_code, 0);
    EXPECT_TRUE(contains(bad.err, "edits.txt:2")) << bad.err;
}

TEST_F(ds_host_cli, parametric_commands_work_one_by_one_on_a_project_file)
{
    const std::string project = m_project.string();
    ASSERT_EQ(run({"new", project}).exit_code, 0);
    for (const char* pier : {"1", "2", "3"}) {
        const std::string drawing = utf8(u8"垫石-") + pier, structure = utf8(u8"主线") + pier + utf8(u8"号墩");
        ASSERT_EQ(run({"add", project, "--name", drawing}).exit_code, 0);
        const run_result ref = run({"reference", project, "-d", drawing, "--structure", structure, "--rows", "1,2", "--numbers", "1,2"});
        ASSERT_EQ(ref.exit_code, 0) << ref.err;
    }
    const run_result check = run({"check", project, "--drawings", utf8(u8"垫石-1,垫石-2")});
    EXPECT_EQ(check.exit_code, 0) << check.out << check.err;
    EXPECT_TRUE(contains(check.out, "unchanged"));

    const run_result merged = run({"merge", project, "--drawings", utf8(u8"垫石-1,垫石-2")});
    ASSERT_EQ(merged.exit_code, 0) << merged.err;
    const std::string target = utf8(u8"[参数化] 垫石");

    // Drawings being added that conflict among themselves are reported, and
    // converted only with --force.
    const std::string wide = utf8(u8"垫石-宽");
    ASSERT_EQ(run({"add", project, "--name", wide}).exit_code, 0);
    ASSERT_EQ(run({"reference", project, "-d", wide, "--structure", utf8(u8"主线3号墩")}).exit_code, 0);
    ASSERT_EQ(run({"grid", project, "-d", wide, "--set", utf8(u8"垫石-构造属性.m_dWidth=600")}).exit_code, 0);
    const std::string adding = utf8(u8"垫石-3,") + wide, before = read_file(m_project);
    for (const char* command : {"check", "convert"}) {
        const run_result refused = run({command, project, "--target", target, "--drawings", adding});
        EXPECT_NE(refused.exit_code, 0) << command;
        EXPECT_TRUE(contains(refused.out, utf8(u8"check messages:\n  垫石\n  横桥向宽度560 600"))) << refused.out;
        EXPECT_EQ(read_file(m_project), before) << command;
    }
    const run_result converted = run({"convert", project, "--target", target, "--drawings", adding, "--force"});
    ASSERT_EQ(converted.exit_code, 0) << converted.err;
    EXPECT_TRUE(contains(converted.out, "list m_csh_data: 2 -> 4 items")) << converted.out;

    // A list row one past the end is appended, as the user appends one in the grid.
    const run_result grid = run({"csh-grid", project, "-d", target, "--set", utf8(u8"垫石-参数化列表[5].m_iN=7"),
                                 "--set", utf8(u8"垫石-参数化列表[5].m_iCount=2")});
    ASSERT_EQ(grid.exit_code, 0) << grid.err;
    EXPECT_TRUE(contains(grid.out, "list m_csh_data: 4 -> 5 items")) << grid.out;

    const run_result drawn = run({"csh-draw", project, "-d", target});
    ASSERT_EQ(drawn.exit_code, 0) << drawn.err;
    EXPECT_TRUE(contains(drawn.out, utf8(u8"本图适用于主线1~3"))) << drawn.out;

    const run_result rebuilt = run({"add", project, "--name", "csh", "--parametric"});
    ASSERT_EQ(rebuilt.exit_code, 0) << rebuilt.err;
    const run_result listed =
        run({"reference-list", project, "-d", "csh", "--structures", utf8(u8"主线0号台,主线1号墩")});
    ASSERT_EQ(listed.exit_code, 0) << listed.err;

    const run_result split = run({"dismantle", project, "-d", target});
    ASSERT_EQ(split.exit_code, 0) << split.err;
    const run_result nodes = run({"list", project});
    std::size_t singles = 0;
    for (std::size_t at = nodes.out.find("DS_ui_data "); at != std::string::npos; at = nodes.out.find("DS_ui_data ", at + 1))
        ++singles;
    EXPECT_EQ(singles, 4u + 5u) << nodes.out;
}

}  // namespace
