// The sheets command run as a program on the sample bridge with three single
// drawings and one parametric drawing: the contents sheet, the numbering
// through the set, the PDF's outline read back with poppler, the facts in the
// title blocks, and the same bytes on a second run.
#include "support/ds_host_cli.h"

#include <cstdio>
#include <iterator>
#include <map>
#include <regex>

namespace {

using namespace ds_cli_test;
using ds_test::utf8;
namespace fs = std::filesystem;

class DsHostSheetSet : public DsHostCli {
protected:
    void make_bridge_project()
    {
        ASSERT_EQ(run({"new", m_project.string()}).exit_code, 0);
        // Added out of order: the set sorts by bridge part and structure number.
        add_referenced(utf8(u8"垫石-3"), utf8(u8"主线3号墩"));
        add_referenced(utf8(u8"垫石-1"), utf8(u8"主线1号墩"));
        add_referenced(utf8(u8"垫石-2"), utf8(u8"主线2号墩"));
        const run_result merged = run({"merge", m_project.string(), "--drawings", utf8(u8"垫石-1,垫石-2")});
        ASSERT_EQ(merged.exit_code, 0) << merged.err;
    }

    /// A parametric drawing of the abutment and pier 1 with no rebar: its design check fails.
    void add_failing_drawing()
    {
        ASSERT_EQ(run({"add", m_project.string(), "--name", "csh", "--parametric"}).exit_code, 0);
        const run_result listed = run({"reference-list", m_project.string(), "-d", "csh", "--structures",
                                       utf8(u8"主线0号台,主线1号墩")});
        ASSERT_EQ(listed.exit_code, 0) << listed.err;
    }

    /// Output of a poppler tool on `pdf`.
    std::string poppler(const std::string& tool, const fs::path& pdf, const std::string& options = "")
    {
        const fs::path out = m_dir / "poppler.txt";
        const std::string to_stdout = tool == "pdftotext" ? " -" : "";
        const std::string command =
            tool + " " + options + " " + quoted(pdf.string()) + to_stdout + " > " + quoted(out.string()) + " 2>/dev/null";
        if (std::system(command.c_str()) != 0) return {};
        return read_file(out);
    }

    /// Every file of `folder` by name, with its bytes.
    static std::map<std::string, std::string> files_of(const fs::path& folder)
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(folder)) files[entry.path().filename().string()] = read_file(entry.path());
        return files;
    }
};

TEST_F(DsHostSheetSet, FactsAreKeptInTheProjectAndAnOldProjectHasNone)
{
    const std::string project = m_project.string();
    ASSERT_EQ(run({"new", project}).exit_code, 0);
    const run_result empty = run({"project", project});
    ASSERT_EQ(empty.exit_code, 0) << empty.err;
    EXPECT_TRUE(contains(empty.out, utf8(u8"  项目名称: -\n"))) << empty.out;

    const run_result set = run({"project", project, "--set", utf8(u8"项目名称=沿江高速"), "--set", utf8(u8"设计=张三"),
                                "--set", "date=2026-12-07"});
    ASSERT_EQ(set.exit_code, 0) << set.err;
    EXPECT_TRUE(contains(set.out, utf8(u8"设计: - -> 张三"))) << set.out;
    const run_result shown = run({"project", project});
    EXPECT_TRUE(contains(shown.out, utf8(u8"  项目名称: 沿江高速\n  桥名: -\n"))) << shown.out;
    EXPECT_TRUE(contains(shown.out, utf8(u8"  日期: 2026-12-07\n"))) << shown.out;

    // A caption that names no fact, or a value with a control character, changes nothing.
    const std::string before = read_file(m_project);
    const run_result unknown = run({"project", project, "--set", utf8(u8"校对=李四")});
    EXPECT_NE(unknown.exit_code, 0);
    EXPECT_TRUE(contains(unknown.err, utf8(u8"项目名称, 桥名, 图号前缀"))) << unknown.err;
    EXPECT_NE(run({"project", project, "--set", utf8(u8"审核=a\tb")}).exit_code, 0);
    EXPECT_EQ(read_file(m_project), before);

    // The draw options override the facts for one run; the facts stay.
    add_referenced(utf8(u8"垫石"), utf8(u8"主线1号墩"), "1");
    const fs::path svg = m_dir / "svg";
    ASSERT_EQ(run({"draw", project, "--svg", svg.string(), "--designer", utf8(u8"王五")}).exit_code, 0);
    std::string drawn;
    for (const auto& entry : fs::directory_iterator(svg)) drawn += read_file(entry.path());
    EXPECT_TRUE(contains(drawn, utf8(u8"王五")));
    EXPECT_FALSE(contains(drawn, utf8(u8"张三")));
    EXPECT_TRUE(contains(drawn, utf8(u8"沿江高速")));
    EXPECT_TRUE(contains(drawn, "2026-12-07"));
}

TEST_F(DsHostSheetSet, TheSetIsNumberedThroughWithContentsOutlineAndTheSameBytesTwice)
{
    make_bridge_project();
    const std::string project = m_project.string();
    ASSERT_EQ(run({"project", project, "--set", utf8(u8"图号前缀=QL-DS-"), "--set", utf8(u8"项目名称=沿江高速"), "--set",
                   utf8(u8"日期=2026-12-07"), "--set", utf8(u8"单位=某设计院")})
                  .exit_code,
              0);
    const fs::path out = m_dir / "set";
    const run_result first = run({"sheets", project, "--out", out.string(), "--quiet"});
    ASSERT_EQ(first.exit_code, 0) << first.out << first.err;
    // --quiet: no progress line (the sanitizers may still report on standard error).
    EXPECT_FALSE(contains(first.err, "sheets written")) << first.err;

    // Sorted by bridge part and structure number, whatever order they were added in.
    EXPECT_TRUE(contains(first.out, utf8(u8"QL-DS-001 图纸目录\n  QL-DS-002 [参数化] 垫石 (1张)\n  QL-DS-003 垫石-1 (1张)\n"
                                         u8"  QL-DS-004 垫石-2 (1张)\n  QL-DS-005 垫石-3 (1张)\n")))
        << first.out;

    const fs::path pdf = out / "sheets.pdf";
    const std::string info = poppler("pdfinfo", pdf, "");
    std::smatch pages;
    ASSERT_TRUE(std::regex_search(info, pages, std::regex("Pages: +(\\d+)"))) << info;
    const int total = std::stoi(pages[1]);
    EXPECT_GE(total, 5);
    EXPECT_TRUE(contains(info, "CreationDate:")) << info;

    // Every page says its place in the whole set, and its number runs on.
    const std::string text = poppler("pdftotext", pdf, "-layout");
    for (int i = 1; i <= total; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "QL-DS-%03d", i);
        EXPECT_TRUE(contains(text, number)) << number;
        EXPECT_TRUE(contains(text, utf8(u8"第") + std::to_string(i) + utf8(u8"张"))) << i;
    }
    EXPECT_TRUE(contains(text, utf8(u8"共") + std::to_string(total) + utf8(u8"张")));
    EXPECT_FALSE(contains(text, utf8(u8"共1张")));
    // The contents: its header and a row per drawing, with the organisation under it.
    const std::string contents = poppler("pdftotext", pdf, "-layout -f 1 -l 1");
    for (const char8_t* word : {u8"图纸目录", u8"序号", u8"图号", u8"图名", u8"张数", u8"备注", u8"编制单位：某设计院",
                                u8"主线1号墩垫石钢筋构造图", u8"垫石-3"})
        EXPECT_TRUE(contains(contents, utf8(word))) << utf8(word) << "\n" << contents;

    // The reader's outline names each drawing once, at its first page.
    const std::string outline = poppler("pdftohtml", pdf, "-xml -i -stdout -q");
    for (const char8_t* name : {u8"图纸目录", u8"[参数化] 垫石", u8"垫石-1", u8"垫石-2", u8"垫石-3"})
        EXPECT_TRUE(contains(outline, "\">" + utf8(name) + "</item>\n<outline>")) << utf8(name) << outline;

    // One DXF per sheet, and the page listing the set.
    std::size_t dxf = 0;
    for (const auto& entry : fs::directory_iterator(out)) dxf += entry.path().extension() == ".dxf";
    EXPECT_EQ(dxf, static_cast<std::size_t>(total));
    EXPECT_TRUE(contains(read_file(out / "index.html"), utf8(u8"图纸目录")));

    // A second run, on one thread this time, writes the same bytes.
    const auto before = files_of(out);
    const run_result second = run({"sheets", project, "--out", out.string(), "--quiet", "--threads", "1"});
    ASSERT_EQ(second.exit_code, 0) << second.err;
    const auto after = files_of(out);
    ASSERT_EQ(before.size(), after.size());
    for (const auto& [name, bytes] : before) EXPECT_TRUE(after.at(name) == bytes) << name;

    // When the numbers change, the files under the old numbers go; a file of the engineer's stays.
    write_file(out / "notes.txt", "mine");
    ASSERT_EQ(run({"project", project, "--set", utf8(u8"图号前缀=B-")}).exit_code, 0);
    const run_result renumbered = run({"sheets", project, "--out", out.string(), "--quiet"});
    ASSERT_EQ(renumbered.exit_code, 0) << renumbered.err;
    EXPECT_TRUE(contains(renumbered.out, "removed " + std::to_string(2 * total) + " sheet file(s)")) << renumbered.out;
    for (const auto& [name, bytes] : files_of(out)) EXPECT_FALSE(name.starts_with("QL-")) << name;
    EXPECT_TRUE(fs::exists(out / "notes.txt"));
}

// --changed draws again only the drawing an engineer edited; the files of the
// others stand untouched, and the folder ends as a whole run would leave it.
TEST_F(DsHostSheetSet, ChangedDrawsOnlyTheEditedDrawingAndEndsAsAWholeRun)
{
    make_bridge_project();
    const std::string project = m_project.string();
    ASSERT_EQ(run({"project", project, "--set", utf8(u8"日期=2026-12-07")}).exit_code, 0);
    const fs::path out = m_dir / "set", whole = m_dir / "whole";
    ASSERT_EQ(run({"sheets", project, "--out", out.string(), "--quiet", "--format", "svg,pdf"}).exit_code, 0);

    // A mark at the end of every sheet file tells which were written again.
    const std::string mark = "<!-- as the last set left it -->";
    for (const auto& [name, bytes] : files_of(out))
        if (name.ends_with(".svg")) write_file(out / name, bytes + mark);
    const run_result edited = run({"grid", project, "-d", utf8(u8"垫石-2"), "--set", utf8(u8"垫石-构造属性.m_dWidth=640")});
    ASSERT_EQ(edited.exit_code, 0) << edited.out << edited.err;

    const run_result changed = run({"sheets", project, "--out", out.string(), "--quiet", "--format", "svg,pdf", "--changed"});
    ASSERT_EQ(changed.exit_code, 0) << changed.err;
    EXPECT_TRUE(contains(changed.out, "changed: 1 drawing(s) drawn again; the sheet files of 3 unchanged")) << changed.out;
    EXPECT_TRUE(contains(changed.out, utf8(u8"垫石-3 (1张) 未变"))) << changed.out;
    ASSERT_EQ(run({"sheets", project, "--out", whole.string(), "--quiet", "--format", "svg,pdf"}).exit_code, 0);
    std::size_t kept = 0;
    const auto expected = files_of(whole);
    const auto after = files_of(out);
    ASSERT_EQ(after.size(), expected.size());
    for (auto [name, bytes] : after) {
        if (bytes.ends_with(mark)) {
            bytes.resize(bytes.size() - mark.size());
            ++kept;
            EXPECT_FALSE(contains(name, utf8(u8"垫石-2"))) << name << " was edited, yet kept";
        }
        EXPECT_TRUE(expected.at(name) == bytes) << name;
    }
    EXPECT_EQ(kept, 3u);  // the three unchanged drawings' sheets; the contents is always drawn again

    // With another prefix every number moves: nothing is kept, and no file of the old numbers stays.
    ASSERT_EQ(run({"project", project, "--set", utf8(u8"图号前缀=B-")}).exit_code, 0);
    const run_result renumbered = run({"sheets", project, "--out", out.string(), "--quiet", "--format", "svg,pdf", "--changed"});
    ASSERT_EQ(renumbered.exit_code, 0) << renumbered.err;
    EXPECT_TRUE(contains(renumbered.out, "changed: 4 drawing(s) drawn again")) << renumbered.out;
    for (const auto& [name, bytes] : files_of(out)) EXPECT_FALSE(bytes.ends_with(mark)) << name;
}

TEST_F(DsHostSheetSet, AFailedDesignCheckPutsItsFindingsInTheSetAndFailsTheCommand)
{
    make_bridge_project();
    add_failing_drawing();
    const std::string project = m_project.string();
    const fs::path out = m_dir / "set";
    const run_result failed = run({"sheets", project, "--out", out.string(), "--quiet", "--format", "pdf"});
    EXPECT_NE(failed.exit_code, 0);
    EXPECT_TRUE(contains(failed.err, "the design check failed for csh")) << failed.err;
    EXPECT_TRUE(contains(poppler("pdftotext", out / "sheets.pdf"), utf8(u8"设计检查未通过")));
    // Only the format asked for (beside the hidden list of the set's files).
    for (const auto& entry : fs::directory_iterator(out))
        if (!entry.path().filename().string().starts_with(".")) {
            EXPECT_EQ(entry.path().extension(), ".pdf");
        }

    // Drawn alone, it writes its findings sheet and fails the command likewise.
    const fs::path alone = m_dir / "alone";
    const run_result drawn = run({"csh-draw", project, "-d", "csh", "--svg", alone.string()});
    EXPECT_NE(drawn.exit_code, 0);
    EXPECT_TRUE(contains(drawn.out, "design: failed")) << drawn.out;
    EXPECT_TRUE(contains(drawn.err, "the design check failed for csh")) << drawn.err;
    EXPECT_FALSE(fs::is_empty(alone));
}

TEST_F(DsHostSheetSet, AFileOfAnotherKindInTheWayIsRefusedBeforeAnythingIsWritten)
{
    make_bridge_project();
    const fs::path out = m_dir / "set";
    fs::create_directories(out);
    write_file(out / "sheets.pdf", "not a pdf");
    const run_result refused = run({"sheets", m_project.string(), "--out", out.string(), "--quiet"});
    EXPECT_NE(refused.exit_code, 0);
    EXPECT_TRUE(contains(refused.err, "sheets.pdf")) << refused.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 1);
}

}  // namespace
