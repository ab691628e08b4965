// End-to-end checks of the ds-host program: the built binary is run as a user
// runs it on project files in a fresh folder (roads, grid edits, parametric
// commands, sheet files), and its exit code, output and files are checked.
#include "support/ds_host_cli.h"

#include <nlohmann/json.hpp>

namespace {

using namespace ds_cli_test;
using ds_test::utf8;
namespace fs = std::filesystem;

TEST_F(DsHostCli, SingleRoadOnTheSampleRunsEveryStepAndReloadsEqual)
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

// Entries a load leaves unread would vanish on the next save: the project is
// called damaged and written only when the user insists.
TEST_F(DsHostCli, ADamagedProjectIsWrittenOnlyWithForceAndNamesAreEscaped)
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
    EXPECT_TRUE(contains(refused.err, "--accept-damaged")) << refused.err;
    EXPECT_EQ(read_file(m_project), text);

    // The old spelling, which some commands have with another meaning, is refused, not obeyed.
    const run_result old_flag = run({"add", project, "--name", "A", "--force"});
    EXPECT_NE(old_flag.exit_code, 0);
    EXPECT_TRUE(contains(old_flag.err, "now --accept-damaged")) << old_flag.err;
    EXPECT_EQ(read_file(m_project), text);

    const run_result forced = run({"add", project, "--name", "A", "--accept-damaged"});
    ASSERT_EQ(forced.exit_code, 0) << forced.err;
    EXPECT_FALSE(contains(read_file(m_project), "saved_by"));
}

// A record that keeps a value it did not read (a missing steel table, a draw
// record of a layout this program does not know) is unchanged by a command
// that changes nothing: the file is neither rewritten nor, when the load left
// entries unread, refused as damaged.
TEST_F(DsHostCli, ARecordKeepingWhatItDidNotReadLeavesTheProjectUnchanged)
{
    const std::string project = m_project.string();
    ASSERT_EQ(run({"new", project}).exit_code, 0);
    ASSERT_EQ(run({"add", project, "--name", "X"}).exit_code, 0);
    const std::string saved = read_file(m_project);
    const std::string steel = ",\n          \"m_Steel_P0\": {";
    const std::string draw_version = "\"m_draw_data\": {\n          \"version\": 3";
    ASSERT_NE(saved.find(steel), std::string::npos);
    ASSERT_NE(saved.find(draw_version), std::string::npos);

    std::string no_steel = saved;
    const std::size_t at = no_steel.find(steel);
    no_steel.erase(at, no_steel.find("\n          }", no_steel.find("\"m_bars\"", at)) + 12 - at);
    std::string unknown_layout = saved;
    unknown_layout.replace(unknown_layout.find(draw_version), draw_version.size(),
                           "\"m_draw_data\": {\n          \"version\": 7");
    for (const std::string& text : {no_steel, unknown_layout}) {
        write_file(m_project, text);
        const run_result shown = run({"grid", project, "-d", "X"});
        EXPECT_EQ(shown.exit_code, 0) << shown.err;
        EXPECT_TRUE(contains(shown.out, "unchanged; not written")) << shown.out;
        EXPECT_EQ(read_file(m_project), text);
    }
}

// The loader judges what a record keeps, as a save would write it: values of
// an old layout's list the record drops are not judged, and a converted value
// is refused under the key it is written to.
TEST_F(DsHostCli, AnOldLayoutIsJudgedOnWhatTheRecordKeeps)
{
    const std::string project = m_project.string();
    ASSERT_EQ(run({"new", project}).exit_code, 0);
    ASSERT_EQ(run({"add", project, "--name", "X"}).exit_code, 0);
    const auto saved = nlohmann::ordered_json::parse(read_file(m_project));
    auto draw = [](nlohmann::ordered_json& document) -> nlohmann::ordered_json& {
        return document["nodes"].back()["members"]["m_draw_data"];
    };

    auto dropped = saved;
    auto gz = draw(dropped)["m_gz"];
    gz["m_dLenth"] = 1e9;
    gz["strPos"] = "\u0001";
    draw(dropped)["version"] = 2;
    draw(dropped)["vecGz"] = {{"count", 1}, {"item_0", gz}};
    write_file(m_project, dropped.dump(2));
    const run_result loaded = run({"grid", project, "-d", "X"});
    EXPECT_EQ(loaded.exit_code, 0) << loaded.err;
    EXPECT_FALSE(contains(loaded.out, "breaks a text rule")) << loaded.out;

    auto converted = saved;
    draw(converted)["m_gz"] = {{"version", 1}, {"m_dLenth", 560.0}, {"m_dWidth", 560.0},
                               {"m_dHeight", 1e300}, {"m_dSlope", 90.0}, {"m_iCount", 1}};
    write_file(m_project, converted.dump(2));
    const run_result refused = run({"grid", project, "-d", "X"});
    EXPECT_NE(refused.exit_code, 0);
    EXPECT_TRUE(contains(refused.err, "m_draw_data/m_gz/strHei = \"1000000")) << refused.err;
}

TEST_F(DsHostCli, GridEditsFromAFileAreSavedThroughTheObserver)
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

TEST_F(DsHostCli, HelpNamesTheProjectFileOneWayAndTheVersionIsTold)
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

TEST_F(DsHostCli, ParametricCommandsWorkOneByOneOnAProjectFile)
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
        if (std::string(command) == "convert") {  // the refusal names the option that passes it
            EXPECT_EQ(refused.err, "ds-host: the drawings cannot be converted (see the check messages; --force converts "
                                   "them anyway); the project is unchanged\n");
        }
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

    // The appended row has no sizes or rebar: the drawing is made, its design check fails, and so does the command.
    const run_result drawn = run({"csh-draw", project, "-d", target});
    EXPECT_NE(drawn.exit_code, 0);
    EXPECT_TRUE(contains(drawn.err, "the design check failed for")) << drawn.err;
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

TEST_F(DsHostCli, SheetFilesReplaceOnlySheetsThisCommandMayReplace)
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
