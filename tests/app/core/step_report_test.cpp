// A step's report: entries kept in order or handed to a listener as they come,
// each worded as the command line prints it, texts from files made safe, and
// refusals that name their override by id, filled in by each door's words.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/project/step_report.h"

namespace {

using ds_app::entry_kind;
using ds_app::override_id;
using ds_app::step_refused;
using ds_app::step_report;

std::string all_worded(const step_report& report, const std::string& name = "--force")
{
    std::string text;
    for (const auto& entry : report.entries()) text += ds_app::worded(entry, name);
    return text;
}

TEST(StepReport, EntriesKeepTheirKindsAndAreWordedAsTheCommandLinePrintsThem)
{
    step_report report;
    report.heading("step 1: add");
    report.line("\nSaved the project to p.json.");
    report.lines({CString("a"), CString("b\nc")}, "    ");
    report.note("read as the table of \"S\"");
    report.warning("cell B3 ignored");
    report.warning("imported as " + std::string(ds_app::override_slot) + " asks", override_id::force_import);
    report.file("sheets/S.svg");
    report.file("sheets/all.pdf", " (2 page(s))");
    report.block(CString("| a |\n| b |\n"));

    std::vector<entry_kind> kinds;
    for (const auto& entry : report.entries()) kinds.push_back(entry.kind);
    EXPECT_EQ(kinds, (std::vector<entry_kind>{entry_kind::heading, entry_kind::line, entry_kind::line, entry_kind::line,
                                              entry_kind::note, entry_kind::warning, entry_kind::warning,
                                              entry_kind::file, entry_kind::file, entry_kind::block}));
    // A listed line holding a line break stays on one line: the break is shown escaped.
    EXPECT_EQ(all_worded(report), "\n== step 1: add ==\n"
                                  "\nSaved the project to p.json.\n"
                                  "    a\n"
                                  "    b\\x0Ac\n"
                                  "note: read as the table of \"S\"\n"
                                  "warning: cell B3 ignored\n"
                                  "warning: imported as --force asks\n"
                                  "  wrote sheets/S.svg\n"
                                  "  wrote sheets/all.pdf (2 page(s))\n"
                                  "| a |\n| b |\n");
    EXPECT_NE(all_worded(report, "import anyway").find("imported as import anyway asks"), std::string::npos);
}

TEST(StepReport, TextsFromFilesCannotSteerTheTerminal)
{
    step_report report;
    report.line("name \x1b[2J\r end");
    report.file("dir/a\nb.svg");
    ASSERT_EQ(report.entries().size(), 2u);
    EXPECT_EQ(report.entries()[0].text, "name \\x1B[2J\\x0D end");
    EXPECT_EQ(ds_app::worded(report.entries()[1]), "  wrote dir/a\\x0Ab.svg\n") << "a path stays on its line";
}

TEST(StepReport, AListenerTakesEachEntryAsItComesAndNothingIsKept)
{
    std::vector<std::string> heard;
    step_report report([&](const ds_app::report_entry& entry) { heard.push_back(ds_app::worded(entry)); });
    report.line("one");
    EXPECT_EQ(heard, std::vector<std::string>{"one\n"}) << "handed over before the step goes on";
    report.note("two");
    EXPECT_EQ(heard.size(), 2u);
    EXPECT_TRUE(report.entries().empty());
}

TEST(StepReport, ARefusalNamesItsOverrideInEachDoorsWords)
{
    const step_refused refused("cannot import f.csv; nothing was changed", "f.csv", override_id::force_import,
                               "cannot import f.csv; give " + std::string(ds_app::override_slot) +
                                   " to import it all the same; nothing was changed");
    EXPECT_STREQ(refused.what(), "cannot import f.csv; nothing was changed");
    EXPECT_EQ(refused.worded("--force"), "cannot import f.csv; give --force to import it all the same; nothing was changed");
    EXPECT_EQ(refused.place(), "f.csv");
    EXPECT_EQ(refused.passes(), override_id::force_import);
    EXPECT_STREQ(ds_app::override_key(refused.passes()), "force_import");

    const step_refused plain("no such drawing", "S");
    EXPECT_EQ(plain.worded("--force"), "no such drawing") << "without an override the reason says it all";
    EXPECT_EQ(plain.passes(), override_id::none);
}

}  // namespace
