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
    run_result run(const std::vector<std::string>& args) { return run_program((fs::path(DS_BIN_DIR) / "ds-host").string(), args); }

    run_result run_program(const std::string& program, const std::vector<std::string>& args)
    {
        std::string command = quoted(program);
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

    /// Adds a single drawing `name` that refers to pedestals of `structure`.
    void add_referenced(const std::string& name, const std::string& structure, const char* rows = "1,2")
    {
        ASSERT_EQ(run({"add", m_project.string(), "--name", name}).exit_code, 0);
        const run_result ref = run({"reference", m_project.string(), "-d", name, "--structure", structure, "--rows", rows,
                                    "--numbers", "1,2"});
        ASSERT_EQ(ref.exit_code, 0) << ref.err;
    }

    /// A project on the sample bridge with one single drawing that refers to pier 1.
    void make_referenced_project()
    {
        ASSERT_EQ(run({"new", m_project.string()}).exit_code, 0);
        add_referenced(utf8(u8"垫石"), utf8(u8"主线1号墩"), "1");
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

/// The difference lines an import printed.
std::vector<std::string> change_lines(const std::string& out)
{
    std::vector<std::string> lines;
    std::size_t at = out.find(utf8(u8"changes (before → after):\n"));
    if (at == std::string::npos) return lines;
    for (at = out.find('\n', at) + 1; out.compare(at, 2, "  ") == 0; at = out.find('\n', at) + 1)
        lines.push_back(out.substr(at + 2, out.find('\n', at) - at - 2));
    return lines;
}

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

// Bad files, names and edits are refused, saying what would work, and leave
// the project as it was; then a CSV edited outside is imported.
TEST_F(ds_host_cli, bad_input_is_refused_and_changes_nothing_and_an_edited_csv_imports)
{
    make_referenced_project();
    const fs::path csv = m_dir / "pedestal.csv";
    const std::string exported = export_csv(csv);
    const std::string project_before = read_file(m_project), project = m_project.string();

    // The exported table with the value cell of the row `caption` holding `value`, or that row's caption renamed.
    const auto with_cell = [&](const char8_t* caption, const std::string& value, std::size_t cell = 1) {
        const std::string row = "\"" + utf8(caption) + "\",\"";
        std::string text = exported;
        const std::size_t at = text.find(row) + (cell == 1 ? row.size() : 1);
        text.replace(at, text.find('"', at) - at, value);
        return text;
    };
    const std::string count = utf8(u8"\"垫石个数\""), number = utf8(u8"\"墩台号\"");
    const std::pair<std::string, std::string> bad_csvs[] = {
        {"\"unbalanced,1\r\n", "bad0.csv"},
        {with_cell(u8"顺桥向长度(mm)", "abc"), "cell B7"},
        {with_cell(u8"顺桥向长度(mm)", utf8(u8"宽度"), 0), "cell A7"},
        {exported.substr(0, exported.find('\n', exported.find('\n') + 1) + 1), "row 3"},
        // Numbers the strategy's C conversions would take as something else.
        {with_cell(u8"垫石个数", "1e9"), "cell B10 " + count},
        {with_cell(u8"垫石个数", "3.7"), "\"3.7\" needs a whole number"},
        {with_cell(u8"垫石个数", "1001"), "from 0 to 1000"},
        {with_cell(u8"墩台号", "99999999999"), "cell B15 " + number + ": \"99999999999\" needs a whole number from 0"},
        {with_cell(u8"墩台号", "1e30"), "\"1e30\" needs a whole number"},
        {with_cell(u8"横桥向宽度(mm)", "inf"), "cell B6"},
        {with_cell(u8"斜交角(°)", "180"), "above 0 and below 180"},
        {with_cell(u8"斜交角(°)", "0"), "above 0 and below 180"},
        // What spreadsheet programs and typists make of a height list, and choices typed by hand.
        {with_cell(u8"高度(mm)", "220230"), "found 220230 (separate heights with , ; or a space)"},
        {with_cell(u8"高度(mm)", utf8(u8"220，230")), "separate heights with , ; or a space"},
        {with_cell(u8"高度(mm)", "-5,0"), "above 0"},
        {with_cell(u8"高度(mm)", ""), "at least one height"},
        {with_cell(u8"混凝土类型", "c45"), "one of the choices"},
        {with_cell(u8"输入方式", utf8(u8"导入")), "one of the choices"},
        {with_cell(u8"输入方式", ""), "one of the choices"},
        {with_cell(u8"桥幅", ""), utf8(u8"\"桥幅\": \"\" may not be empty")},
        {with_cell(u8"垫石位置", utf8(u8"中间")), "one of the choices"},
        {with_cell(u8"墩台号", "-1"), "from 0"},
        {with_cell(u8"自定义附注", "a\001b"), "\\x01"},
    };
    std::vector<std::pair<std::vector<std::string>, std::string>> calls = {
        {{"draw", project, "--drawing", utf8(u8"无此图")}, utf8(u8"known: 垫石")},
        {{"reference", project, "--structure", utf8(u8"主线9号墩")}, utf8(u8"known: 主线0号台, 主线1号墩")},
        {{"reference", project, "--structure", utf8(u8"主线1号墩"), "--numbers", "7"}, "took nothing"},
        {{"grid", project, "--set", "no-equals-sign"}, "TABLE.KEY=VALUE"},
        {{"grid", project, "--set", utf8(u8"垫石-构造属性.m_dWidth=wide")}, "\"wide\" needs a number"},
        {{"grid", project, "--set", utf8(u8"垫石-构造属性.m_dWidth=1e308")},
         utf8(u8"m_dWidth (横桥向宽度(mm)): \"1e308\" needs a number above 0 and at most 100000 mm")},
        {{"grid", project, "--set", utf8(u8"垫石-构造属性.m_dHeight=220，230")}, "separate heights with , ; or a space"},
        {{"grid", project, "--set", utf8(u8"垫石-绘图设置.m_strConcreteType=c45")}, utf8(u8"choices \"C30\"")},
        // The observer keeps 垫石-绘图设置's copy of a shared setting: the edit is named, not saved.
        {{"grid", project, "--set", utf8(u8"通用绘图设置.m_strCustomNote=hello")},
         utf8(u8"had no effect: the cell shows \"\" after the save; the table 垫石-绘图设置 also carries this setting")},
        {{"grid", project, "--set", utf8(u8"垫石-构造属性.m_nothing=1")}, "keys: m_dWidth"},
        {{"grid", project, "--set", utf8(u8"无此表.m_dWidth=1")}, utf8(u8"tables: 垫石-构造属性")},
        {{"grid", project, "--mode", "common", "--set", utf8(u8"垫石-总体属性.m_GetType=随便")}, utf8(u8"choices \"自定义\"")},
        {{"merge", project, "--drawings", utf8(u8"垫石,无此图")}, utf8(u8"无此图")},
    };
    std::size_t files = 0;
    for (const auto& [text, error] : bad_csvs) {
        const fs::path bad = m_dir / ("bad" + std::to_string(files++) + ".csv");
        write_file(bad, text);
        calls.push_back({{"import", project, "--csv", bad.string()}, error});
    }
    for (const auto& [args, error] : calls) {
        const run_result r = run(args);
        EXPECT_NE(r.exit_code, 0) << args.back();
        EXPECT_TRUE(contains(r.err, error)) << r.err;
        EXPECT_EQ(read_file(m_project), project_before) << args.back();
    }
    EXPECT_EQ(export_csv(m_dir / "again.csv"), exported);

    // Edit the height row of the exported table, as a spreadsheet user would.
    std::string text = exported;
    const std::string height_row = "\"" + utf8(u8"高度(mm)") + "\",";
    const auto row = text.find(height_row);
    ASSERT_NE(row, std::string::npos) << text;
    text.replace(row, text.find('\n', row) - row, height_row + "\"310,320\",\"x\"\r");
    write_file(csv, text + utf8(u8"备注,x\r\n,\r\n"));
    const run_result imported = run({"import", m_project.string(), "--csv", csv.string()});
    ASSERT_EQ(imported.exit_code, 0) << imported.err;
    EXPECT_TRUE(contains(imported.out, "310,320"));
    EXPECT_TRUE(contains(imported.out, "warning: cell C8: \"x\" is not part")) << imported.out;
    EXPECT_TRUE(contains(imported.out, utf8(u8"warning: row 19 (\"备注\") is not part"))) << imported.out;
    const run_result drawn = run({"draw", m_project.string()});
    ASSERT_EQ(drawn.exit_code, 0) << drawn.err;
    EXPECT_TRUE(contains(drawn.out, utf8(u8"高度[310,320]"))) << drawn.out;
}

// openpyxl and LibreOffice, programs nobody here wrote, read what ds-host
// writes and write what it imports; one test, so LibreOffice starts twice only.
TEST_F(ds_host_cli, spreadsheet_programs_read_our_tables_and_their_edits_import_exactly)
{
    make_referenced_project();
    const std::string project = m_project.string(), merged = utf8(u8"[参数化] 垫石");
    for (const char* pier : {"2", "3"}) add_referenced(utf8(u8"垫石-") + pier, utf8(u8"主线") + pier + utf8(u8"号墩"));
    ASSERT_EQ(run({"merge", project, "--drawings", utf8(u8"垫石-2,垫石-3")}).exit_code, 0);
    const auto exchange = [&](const char* command, const std::string& drawing, const fs::path& file,
                              std::vector<std::string> more = {}) {
        std::vector<std::string> args = {command, project, "-d", drawing, file.extension() == ".csv" ? "--csv" : "--xlsx",
                                         file.string()};
        args.insert(args.end(), more.begin(), more.end());
        const run_result r = run(args);
        EXPECT_EQ(r.exit_code, 0) << r.err;
        return r;
    };
    const std::string single = utf8(u8"垫石");
    exchange("export", single, m_dir / "single.xlsx");
    exchange("export", merged, m_dir / "param.xlsx");

    // openpyxl checks captions, values and types, and saves edited copies.
    const run_result client = run_program("/usr/bin/python3", {DS_FIXTURES_DIR "/spreadsheet_clients/openpyxl_client.py", m_dir.string()});
    ASSERT_EQ(client.exit_code, 0) << client.err;
    EXPECT_EQ(change_lines(exchange("import", single, m_dir / "single_width.xlsx").out),
              std::vector<std::string>{utf8(u8"垫石横桥向宽度：560 → 600")});
    EXPECT_EQ(change_lines(exchange("import", merged, m_dir / "param_heights.xlsx").out),
              (std::vector<std::string>{utf8(u8"row 主线 2: 垫石高度(mm) 200.000000 → 250,260"),
                                        utf8(u8"row 主线 3: 垫石高度(mm) 200.000000 → 250,260")}));
    const std::string saved = read_file(m_project);
    const run_result added = exchange("import", merged, m_dir / "param_added.xlsx", {"--dry-run"});
    EXPECT_TRUE(contains(added.out, utf8(u8"(主线 9): no list row before has this bridge part and number"))) << added.out;
    EXPECT_TRUE(contains(added.out, "list m_csh_data: 2 -> 3 items")) << added.out;
    EXPECT_EQ(read_file(m_project), saved);

    // LibreOffice turns our workbooks into CSV files in GBK (code page 936) and back into workbooks.
    exchange("export", single, m_dir / "single.xlsx");
    exchange("export", merged, m_dir / "param.xlsx");
    const std::string profile = "-env:UserInstallation=file://" + (m_dir / "office-profile").string();
    const fs::path csv_dir = m_dir / "csv", xlsx_dir = m_dir / "xlsx";
    run_result office = run_program("soffice", {profile, "--headless", "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,61",
                                                "--outdir", csv_dir.string(), (m_dir / "single.xlsx").string(), (m_dir / "param.xlsx").string()});
    ASSERT_EQ(office.exit_code, 0) << office.err;
    office = run_program("soffice", {profile, "--headless", "--infilter=Text - txt - csv (StarCalc):44,34,61,1,1/2/2/2/3/2/4/2",
                                     "--convert-to", "xlsx", "--outdir", xlsx_dir.string(),
                                     (csv_dir / "single.csv").string(), (csv_dir / "param.csv").string()});
    ASSERT_EQ(office.exit_code, 0) << office.err;
    for (const fs::path& file : {csv_dir / "single.csv", xlsx_dir / "single.xlsx", csv_dir / "param.csv", xlsx_dir / "param.xlsx"}) {
        const run_result r = exchange("import", file.stem() == "single" ? single : merged, file);
        EXPECT_EQ(contains(r.out, "as GBK (it is not UTF-8)"), file.extension() == ".csv") << r.out;
        EXPECT_TRUE(contains(r.out, "changes: none\n")) << file << r.out;
        EXPECT_TRUE(contains(r.out, "unchanged; not written")) << file << r.out;
    }
    EXPECT_EQ(read_file(m_project), saved);
}

// Entries a load leaves unread would vanish on the next save: the project is
// called damaged and written only when the user insists.
TEST_F(ds_host_cli, a_damaged_project_is_written_only_with_force_and_names_are_escaped)
{
    const std::string project = m_project.string();
    ASSERT_EQ(run({"new", project}).exit_code, 0);
    std::string text = read_file(m_project);
    const std::string version = "\"format_version\": 1,";
    text.replace(text.find(version), version.size(), version + " \"saved_by\": \"x\",");
    const std::string pier = utf8(u8"主线1号墩");
    text.replace(text.find(pier), pier.size(), "\\u001b[2J\\u0000" + pier);
    write_file(m_project, text);

    const run_result shown = run({"show", project});
    ASSERT_EQ(shown.exit_code, 0) << shown.err;
    // The unknown entry, and the name holding control characters.
    EXPECT_TRUE(contains(shown.out, "damaged: 2 place(s)")) << shown.out;
    const run_result listed = run({"list", project});
    EXPECT_TRUE(contains(listed.out, "\\x1B[2J\\x00" + pier)) << listed.out;

    const run_result refused = run({"add", project, "--name", "A"});
    EXPECT_NE(refused.exit_code, 0);
    EXPECT_TRUE(contains(refused.err, "saved_by: unknown entry")) << refused.err;
    EXPECT_TRUE(contains(refused.err, "--force")) << refused.err;
    EXPECT_EQ(read_file(m_project), text);

    const run_result forced = run({"add", project, "--name", "A", "--force"});
    ASSERT_EQ(forced.exit_code, 0) << forced.err;
    EXPECT_FALSE(contains(read_file(m_project), "saved_by"));
}

TEST_F(ds_host_cli, grid_edits_from_a_file_are_saved_through_the_observer)
{
    make_referenced_project();
    const fs::path edits = m_dir / "edits.txt";
    write_file(edits, utf8(u8"# widen and renumber\n垫石-构造属性.m_dWidth = 640\n\n垫石-绘图设置.m_DS_number=2\n"
                           u8"垫石-构造属性.m_dHeight=200;210 220\n"));
    const run_result edited = run({"grid", m_project.string(), "--edits", edits.string()});
    ASSERT_EQ(edited.exit_code, 0) << edited.err;
    // Three heights for two pedestals are allowed, and said.
    EXPECT_TRUE(contains(edited.out, "note: the drawing: 3 height(s) for 2 pedestal(s)")) << edited.out;

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

TEST_F(ds_host_cli, help_names_the_project_file_one_way_and_the_version_is_told)
{
    const run_result help = run({"add", "--help"});
    ASSERT_EQ(help.exit_code, 0) << help.err;
    EXPECT_TRUE(contains(help.out, "project TEXT REQUIRED")) << help.out;
    EXPECT_FALSE(contains(help.out, "--project")) << help.out;
    const run_result missing = run({"add", "--name", "A"});
    EXPECT_NE(missing.exit_code, 0);
    EXPECT_TRUE(contains(missing.err, "project is required")) << missing.err;
    const run_result twice = run({"new", (m_dir / "a.json").string(), "--project", m_project.string()});
    EXPECT_NE(twice.exit_code, 0);
    EXPECT_FALSE(fs::exists(m_project) || fs::exists(m_dir / "a.json"));
    const run_result version = run({"--version"});
    ASSERT_EQ(version.exit_code, 0) << version.err;
    EXPECT_EQ(version.out, "ds-host " DS_HOST_VERSION "\n");
}

TEST_F(ds_host_cli, parametric_commands_work_one_by_one_on_a_project_file)
{
    const std::string project = m_project.string();
    ASSERT_EQ(run({"new", project}).exit_code, 0);
    for (const char* pier : {"1", "2", "3"}) add_referenced(utf8(u8"垫石-") + pier, utf8(u8"主线") + pier + utf8(u8"号墩"));
    const run_result check = run({"check", project, "--drawings", utf8(u8"垫石-1,垫石-2")});
    EXPECT_EQ(check.exit_code, 0) << check.out << check.err;
    EXPECT_TRUE(contains(check.out, "unchanged"));

    const run_result merged = run({"merge", project, "--drawings", utf8(u8"垫石-1,垫石-2")});
    ASSERT_EQ(merged.exit_code, 0) << merged.err;
    const std::string target = utf8(u8"[参数化] 垫石");

    // Drawings being added that conflict among themselves are reported, and
    // converted only with --force.
    const std::string wide = utf8(u8"垫石-宽");
    // --project still names the file, though help shows only the positional.
    ASSERT_EQ(run({"add", "--project", project, "--name", wide}).exit_code, 0);
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
    // The observer rebuilds the rows from the table; the rows it knew keep their rebar and side.
    EXPECT_TRUE(contains(grid.out, utf8(u8"carried over 4 list row(s)' fields without a cell (垫石位置, 附注, 钢筋)")))
        << grid.out;
    EXPECT_TRUE(contains(grid.out, "list row 5 ( 7): no list row before has this bridge part and number")) << grid.out;

    const run_result drawn = run({"csh-draw", project, "-d", target});
    ASSERT_EQ(drawn.exit_code, 0) << drawn.err;
    EXPECT_TRUE(contains(drawn.out, utf8(u8"本图适用于主线1~3"))) << drawn.out;

    const run_result rebuilt = run({"add", project, "--name", "csh", "--parametric"});
    ASSERT_EQ(rebuilt.exit_code, 0) << rebuilt.err;
    const run_result listed =
        run({"reference-list", project, "-d", "csh", "--structures", utf8(u8"主线0号台,主线1号墩")});
    ASSERT_EQ(listed.exit_code, 0) << listed.err;

    // The split drawings take the first free names: a name already taken is skipped.
    const std::string split_name = utf8(u8"[钢筋] 垫石");
    ASSERT_EQ(run({"add", project, "--name", split_name + " (3)"}).exit_code, 0);
    const run_result split = run({"dismantle", project, "-d", target});
    ASSERT_EQ(split.exit_code, 0) << split.err;
    std::vector<std::string> made;
    for (std::size_t at = split.out.find("name="); at != std::string::npos; at = split.out.find("name=", at + 1)) {
        const std::string line = split.out.substr(at + 5, split.out.find('\n', at) - at - 5);
        made.push_back(line.substr(0, line.find("  ")));
    }
    const std::vector<std::string> expected = {split_name, split_name + " (2)", split_name + " (4)", split_name + " (5)",
                                               split_name + " (6)"};
    EXPECT_EQ(made, expected) << split.out;
    const run_result nodes = run({"list", project});
    std::size_t singles = 0;
    for (std::size_t at = nodes.out.find("DS_ui_data "); at != std::string::npos; at = nodes.out.find("DS_ui_data ", at + 1))
        ++singles;
    EXPECT_EQ(singles, 4u + 1u + 5u) << nodes.out;

    // A drawing made without a structure reference records no structure: the merge makes no row of it, and says so.
    ASSERT_EQ(run({"add", project, "--name", "bare"}).exit_code, 0);
    const run_result bare = run({"merge", project, "--drawings", utf8(u8"垫石-1,bare")});
    ASSERT_EQ(bare.exit_code, 0) << bare.err;
    EXPECT_TRUE(contains(bare.out, "note: bare adds no list row: it records no structure")) << bare.out;
}

TEST_F(ds_host_cli, sheet_files_replace_only_sheets_this_command_may_replace)
{
    make_referenced_project();
    const fs::path out = m_dir / "out";
    const run_result first = run({"draw", m_project.string(), "--svg", out.string(), "--dxf", out.string(), "--pdf",
                                  (out / "set.pdf").string()});
    ASSERT_EQ(first.exit_code, 0) << first.err;
    EXPECT_TRUE(ds_file::read_whole_file(out / "set.pdf").starts_with("%PDF-"));
    fs::path svg;
    for (const auto& entry : fs::directory_iterator(out))
        if (entry.path().extension() == ".svg") svg = entry.path();
    ASSERT_FALSE(svg.empty());
    const std::string sheet = svg.stem().string();
    const std::vector<std::string> again{"draw", m_project.string(), "--svg", out.string()};

    const run_result refused = run(again);
    EXPECT_NE(refused.exit_code, 0);
    EXPECT_TRUE(contains(refused.err, sheet) && contains(refused.err, "--overwrite")) << refused.err;
    std::vector<std::string> overwrite = again;
    overwrite.push_back("--overwrite");
    EXPECT_EQ(run(overwrite).exit_code, 0);

    // A file that is not a sheet is never replaced, a folder never written into.
    ds_file::write_file_atomically(svg, "{\"project\": 1}");
    const run_result foreign = run(overwrite);
    EXPECT_NE(foreign.exit_code, 0);
    EXPECT_TRUE(contains(foreign.err, "not a .svg file this program writes")) << foreign.err;
    EXPECT_EQ(ds_file::read_whole_file(svg), "{\"project\": 1}");
    fs::remove(svg);
    fs::create_directory(svg);
    const run_result folder = run(overwrite);
    EXPECT_NE(folder.exit_code, 0);
    EXPECT_TRUE(contains(folder.err, sheet) && contains(folder.err, "not a regular file")) << folder.err;
}

}  // namespace
