// ds-host bridge, run as an engineer runs it: a structure table typed in a
// spreadsheet program becomes the project's piers and abutments; export and
// import leave an untouched project as it was; a changed width marks the
// drawings on that structure stale until bridge refresh; every refusal names
// its place and leaves the project byte-identical.
#include "support/ds_host_cli.h"

namespace {

using namespace ds_cli_test;

class DsHostBridge : public DsHostCli {
protected:
    /// Runs ds-host and expects it to succeed.
    run_result ok(const std::vector<std::string>& args)
    {
        run_result r = run(args);
        EXPECT_EQ(r.exit_code, 0) << r.out << r.err;
        return r;
    }

    /// The structure table as bridge show prints it (the lines before the drawings).
    std::string shown_table(const fs::path& project)
    {
        const std::string out = ok({"bridge", "show", project.string()}).out;
        return out.substr(0, out.find("\ndrawings on the structures:"));
    }

    /// Runs ds-host expecting a refusal that leaves the project as it was; gives the error text.
    std::string refused(const std::vector<std::string>& args)
    {
        const std::string before = read_file(m_project);
        const run_result r = run(args);
        EXPECT_NE(r.exit_code, 0) << r.out;
        EXPECT_EQ(read_file(m_project), before) << "a refused command changed the project";
        return r.err;
    }
};

TEST_F(DsHostBridge, AnEngineersTableMakesTheProjectAndExportImportChangesNothing)
{
    const fs::path typed = m_dir / "typed.xlsx";
    const run_result client =
        run_program("/usr/bin/python3", {DS_FIXTURES_DIR "/spreadsheet_clients/bridge_table.py", typed.string()});
    ASSERT_EQ(client.exit_code, 0) << client.err;
    const run_result made = ok({"new", m_project.string(), "--bridge", typed.string()});
    EXPECT_TRUE(contains(made.out, utf8(u8"added 右幅1号墩"))) << made.out;
    const std::string table = shown_table(m_project);
    EXPECT_EQ(table, utf8(u8"桥幅 | 墩台号 | 墩台类型 | 混凝土类型 | 比例 | 保护层厚度(mm) | 垫石排号 | 排位置(mm) | 垫石个数 | "
                          u8"横桥向宽度(mm) | 顺桥向长度(mm) | 垫石高度(mm) | 侧边线夹角(度) | 自定义附注\n"
                          u8"右幅 | 0 | 肋板台 | C40 | 50 | 40 | 2 | 500 | 2 | 560 | 460 | 180 | 80 | \n"
                          u8"右幅 | 1 | 柱式墩 | C40 | 50 | 40 | 1 | 600 | 3 | 560 | 460 | 200,210,220 | 80 | \n"
                          u8"右幅 | 1 | 柱式墩 | C40 | 50 | 40 | 2 | 600 | 3 | 560 | 460 | 230 | 80 | \n"
                          u8"右幅 | 2 | 墙式台 | C50 | 50 | 40 | 1 | 450 | 2 | 600 | 400 | 190.5 | 80 | \n"));

    const std::string saved = read_file(m_project);
    for (const char* format : {"--xlsx", "--csv"}) {
        const fs::path file = m_dir / (std::string("out.") + (format + 2));
        ok({"bridge", "export", m_project.string(), format, file.string()});
        const run_result back = ok({"bridge", "import", m_project.string(), format, file.string()});
        EXPECT_TRUE(contains(back.out, "structures: no change")) << back.out;
        EXPECT_EQ(read_file(m_project), saved) << format;
    }

    // LibreOffice saves the typed workbook as a GBK CSV file and as its own workbook: the same bridge.
    const std::string profile = "-env:UserInstallation=file://" + (m_dir / "office-profile").string();
    ASSERT_EQ(run_program("soffice", {profile, "--headless", "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76",
                                      "--outdir", (m_dir / "csv").string(), typed.string()}).exit_code, 0);
    ASSERT_EQ(run_program("soffice", {profile, "--headless", "--convert-to", "xlsx", "--outdir", (m_dir / "office").string(),
                                      typed.string()}).exit_code, 0);
    for (const fs::path& file : {m_dir / "csv" / "typed.csv", m_dir / "office" / "typed.xlsx"}) {
        const fs::path project = m_dir / (file.parent_path().filename().string() + ".json");
        ok({"new", project.string(), "--bridge", file.string()});
        EXPECT_EQ(shown_table(project), table) << file;
    }
}

TEST_F(DsHostBridge, AChangedWidthMarksItsDrawingsStaleAndRefreshBringsThemToIt)
{
    const fs::path example = m_dir / "example.xlsx";
    ok({"bridge", "example", example.string()});
    ok({"new", m_project.string(), "--bridge", example.string()});
    EXPECT_TRUE(contains(ok({"bridge", "drawings", m_project.string(), "--single"}).out, "20 drawing(s) added"));
    EXPECT_TRUE(contains(ok({"bridge", "drawings", m_project.string(), "--parametric"}).out, "1 drawing(s) added"));
    const std::string made = read_file(m_project);
    EXPECT_TRUE(contains(ok({"bridge", "drawings", m_project.string(), "--single"}).out, "0 drawing(s) added; 20"));
    EXPECT_TRUE(contains(ok({"bridge", "drawings", m_project.string(), "--parametric"}).out, "0 drawing(s) added"));
    EXPECT_TRUE(contains(ok({"bridge", "refresh", m_project.string()}).out, "every drawing on a structure is up to date"));
    EXPECT_EQ(read_file(m_project), made);

    // Pier 1's first row gets wider; pier 2's second row a new first height (the one a
    // single drawing takes for all its pedestals).
    const fs::path csv = m_dir / "bridge.csv";
    ok({"bridge", "export", m_project.string(), "--csv", csv.string()});
    std::string text = read_file(csv);
    const auto edit = [&](const std::string& line_start, const std::string& from, const std::string& to) {
        const std::size_t line = text.find(line_start);
        ASSERT_NE(line, std::string::npos) << text;
        const std::size_t at = text.find(from, line);
        ASSERT_LT(at, text.find('\n', line));
        text.replace(at, from.size(), to);
    };
    edit(utf8(u8R"("左幅","1","柱式墩","C40","50","40","1",)"), R"("700")", R"("800")");
    edit(utf8(u8R"("左幅","2","花瓶墩","C40","50","40","2",)"), R"("240,)", R"("245,)");
    write_file(csv, text);
    const run_result imported = ok({"bridge", "import", m_project.string(), "--csv", csv.string()});
    EXPECT_TRUE(contains(imported.out, utf8(u8"changed 左幅1号墩\n  横桥向宽度(mm) 第1排: 700 → 800\n"))) << imported.out;
    EXPECT_TRUE(contains(imported.out, utf8(u8"changed 左幅2号墩\n  垫石高度(mm) 第2排: 240,255,270 → 245,255,270\n")))
        << imported.out;
    // The parametric list holds each structure's count and heights, not its rows' sizes.
    EXPECT_TRUE(contains(imported.out, utf8(u8"  左幅1号墩: 左幅1号墩1排垫石 (stale), 左幅1号墩2排垫石 (up to date), "
                                            u8"全桥垫石参数化 (stale)\n"))) << imported.out;
    EXPECT_TRUE(contains(imported.out, utf8(u8"  左幅2号墩: 左幅2号墩1排垫石 (up to date), 左幅2号墩2排垫石 (stale), "
                                            u8"全桥垫石参数化 (stale)\n"))) << imported.out;

    const run_result refreshed = ok({"bridge", "refresh", m_project.string()});
    EXPECT_TRUE(contains(refreshed.out, utf8(u8"refreshed 左幅1号墩1排垫石; changes (before → after):\n"))) << refreshed.out;
    EXPECT_TRUE(contains(refreshed.out, utf8(u8"→ 800"))) << refreshed.out;
    EXPECT_TRUE(contains(refreshed.out, utf8(u8"refreshed 左幅2号墩2排垫石"))) << refreshed.out;
    EXPECT_TRUE(contains(refreshed.out, utf8(u8"row 左幅 2: 垫石高度(mm) 220,235,250,240,255,270 → 220,235,250,245,255,270"))) << refreshed.out;
    EXPECT_FALSE(contains(refreshed.out, utf8(u8"左幅1号墩2排垫石"))) << refreshed.out;
    EXPECT_TRUE(contains(ok({"bridge", "refresh", m_project.string()}).out, "up to date"));

    const fs::path sheets = m_dir / "svg";
    ok({"draw", m_project.string(), "-d", utf8(u8"左幅1号墩1排垫石"), "--svg", sheets.string()});
    std::string svg;
    for (const auto& entry : fs::directory_iterator(sheets)) svg += read_file(entry.path());
    EXPECT_TRUE(contains(svg, ">800<")) << "the sheet does not show the new width";
}

TEST_F(DsHostBridge, RefusalsNameTheirPlaceAndLeaveTheProjectAsItWas)
{
    ok({"new", m_project.string()});
    add_referenced(utf8(u8"垫石"), utf8(u8"主线1号墩"), "1");
    const fs::path csv = m_dir / "bridge.csv";
    ok({"bridge", "export", m_project.string(), "--csv", csv.string()});
    const std::string exported = read_file(csv);

    std::string bad = exported;
    const std::string row = utf8(u8R"("主线","1","柱式墩","C40","50","40","2",)");
    ASSERT_TRUE(contains(bad, row)) << bad;
    bad.replace(bad.find(row), row.size(), utf8(u8R"("主线","1","柱式墩","C40","50","40","3",)"));
    write_file(csv, bad);
    const std::string error = refused({"bridge", "import", m_project.string(), "--csv", csv.string()});
    EXPECT_TRUE(contains(error, csv.string() + ": cell G5 \"" + utf8(u8"垫石排号") + "\": \"3\" needs a whole number from 1 to 2"))
        << error;

    std::vector<std::string> lines;
    for (std::size_t at = 0; at < exported.size();) {
        const std::size_t end = exported.find('\n', at);
        lines.push_back(exported.substr(at, end - at + 1));
        at = end + 1;
    }
    std::string without_pier_1;
    for (const std::string& line : lines)
        if (!contains(line, utf8(u8R"("主线","1",)"))) without_pier_1 += line;
    write_file(csv, without_pier_1);
    EXPECT_TRUE(contains(ok({"bridge", "import", m_project.string(), "--csv", csv.string()}).out,
                         utf8(u8"kept (not in the table; --prune removes them): 主线1号墩")));
    EXPECT_TRUE(contains(refused({"bridge", "import", m_project.string(), "--csv", csv.string(), "--prune"}),
                         utf8(u8"would remove 主线1号墩, which the drawing(s) 垫石 refer to; give --force")));
    EXPECT_TRUE(contains(refused({"bridge", "remove", m_project.string(), "--structure", utf8(u8"主线1号墩")}),
                         utf8(u8"which the drawing(s) 垫石 refer to")));
    EXPECT_TRUE(contains(refused({"bridge", "add", m_project.string(), "--part", utf8(u8"主线"), "--number", "1", "--type",
                                  utf8(u8"柱式墩"), "--position", "600", "--count", "2", "--width", "560", "--length", "460",
                                  "--heights", "200"}),
                         utf8(u8"the project holds it already")));
    EXPECT_TRUE(contains(refused({"bridge", "add", m_project.string(), "--part", utf8(u8"主线"), "--number", "7", "--type",
                                  utf8(u8"柱式墩"), "--position", "600", "--count", "2", "--width", "560", "--length", "460",
                                  "--heights", "200,210,220"}),
                         "holds 3 heights for 2 pedestals"));

    ok({"bridge", "add", m_project.string(), "--part", utf8(u8"主线"), "--number", "7", "--type", utf8(u8"花瓶墩"),
        "--position", "600", "--count", "2", "--width", "560", "--length", "460", "--heights", "200,210"});
    const run_result removed = ok({"bridge", "remove", m_project.string(), "--structure", utf8(u8"主线1号墩"), "--force"});
    EXPECT_TRUE(contains(removed.out, utf8(u8"removed 主线1号墩"))) << removed.out;
    ok({"new", (m_dir / "empty.json").string(), "--empty"});
    EXPECT_EQ(shown_table(m_dir / "empty.json"), utf8(u8"桥幅 | 墩台号 | 墩台类型 | 混凝土类型 | 比例 | 保护层厚度(mm) | 垫石排号 | "
                                                      u8"排位置(mm) | 垫石个数 | 横桥向宽度(mm) | 顺桥向长度(mm) | 垫石高度(mm) | "
                                                      u8"侧边线夹角(度) | 自定义附注\n"));
}

}  // namespace
