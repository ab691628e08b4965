// End-to-end checks of ds-host's spreadsheet exchange: bad input refused with
// nothing changed, and tables exported, edited by spreadsheet programs and imported.
#include "support/ds_host_cli.h"

namespace {

using namespace ds_cli_test;
using ds_test::utf8;
namespace fs = std::filesystem;

// Bad files, names and edits are refused, saying what would work, and leave
// the project as it was; then a CSV edited outside is imported.
TEST_F(DsHostCli, BadInputIsRefusedAndChangesNothingAndAnEditedCsvImports)
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
        {with_cell(u8"高度(mm)", "-5,0"), "from 0.001"},
        {with_cell(u8"横桥向宽度(mm)", "1e-320"), utf8(u8"cell B6 \"横桥向宽度(mm)\": \"1e-320\" needs a number from 0.001 to 100000")},
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
         utf8(u8"m_dWidth (横桥向宽度(mm)): \"1e308\" needs a number from 0.001 to 100000 mm")},
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
TEST_F(DsHostCli, SpreadsheetProgramsReadOurTablesAndTheirEditsImportExactly)
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

}  // namespace
