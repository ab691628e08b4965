// The local server in-process, as several tabs use it: each tab undoes its own
// changes and never another tab's later one, additions, merges, dismantled
// drawings and imports are undone too, and an edit is answered with the rows
// that changed rather than every table.
#include <gtest/gtest.h>

#include "support/served_project.h"

namespace {

using namespace ds_test;

json in_tab(json request, const std::string& tab)
{
    request["tab"] = tab;
    return request;
}

class Tabs : public Served {
protected:
    json edit_in(const std::string& tab, const std::string& key, const std::string& value)
    {
        return project->edit(in_tab({{"tag", tag}, {"version", version()}, {"table", construction}, {"key", key}, {"value", value}}, tab));
    }
    json undo_in(const std::string& tab, bool redo = false) { return project->undo({{"tab", tab}}, redo); }
    std::size_t drawings() { return project->state()["drawings"].size(); }
    bool has_drawing(const std::string& wanted)
    {
        const json state = project->state();
        return std::any_of(state["drawings"].begin(), state["drawings"].end(), [&](const json& d) { return d["tag"] == wanted; });
    }
};

TEST_F(Tabs, EachTabUndoesItsOwnChangesAndNeverAnotherTabsLaterOne)
{
    const std::string other = project->add_drawing(in_tab({{"name", "other"}}, "b"))["tag"];
    edit_in("a", "m_dWidth", "600");
    const long v = project->drawing(other, "advanced", std::nullopt)["version"];
    const long b_left = project->edit(
        in_tab({{"tag", other}, {"version", v}, {"table", construction}, {"key", "m_dLenth"}, {"value", "700"}}, "b"))["version"];
    EXPECT_EQ(project->state("a")["undo"], 1);
    EXPECT_EQ(project->state("b")["undo"], 2);
    EXPECT_EQ(project->state("c")["undo"], 0) << "a new tab has a history of its own";

    undo_in("a");  // takes back a's width, leaves b's drawing
    EXPECT_EQ(cell("m_dWidth"), "560");
    EXPECT_EQ(project->drawing(other, "advanced", std::nullopt)["version"], b_left);
    undo_in("a", true);
    EXPECT_EQ(cell("m_dWidth"), "600");

    // b changes a's drawing after a's redo: a's undo would take b's height back as well.
    edit_in("b", "m_dHeight", "200");
    const std::string saved = file_bytes(file);
    const api_error refused = refusal([&] { undo_in("a"); });
    EXPECT_EQ(refused.status, 422);
    EXPECT_EQ(refused.code, "refused");
    EXPECT_NE(std::string(refused.what()).find("was changed after this step"), std::string::npos) << refused.what();
    EXPECT_EQ(cell("m_dWidth"), "600");
    EXPECT_EQ(file_bytes(file), saved) << "a refused undo writes nothing";

    // b's own undos go back step by step, each seeing the version its previous one left.
    undo_in("b");
    EXPECT_EQ(cell("m_dHeight"), "");
    undo_in("b");
    undo_in("b");
    EXPECT_FALSE(has_drawing(other));
    undo_in("a");
    EXPECT_EQ(cell("m_dWidth"), "560") << "b's undo left the version a's step left: a may undo again";

    const api_error empty = refusal([&] { undo_in("c"); });
    EXPECT_EQ(empty.status, 422) << "an empty undo is a refusal, not a conflict";
    EXPECT_NE(std::string(empty.what()).find("nothing to undo"), std::string::npos);
    EXPECT_EQ(refusal([&] { undo_in("c", true); }).status, 422);
    EXPECT_EQ(refusal([&] { undo_in("bad tab!"); }).code, "bad");

    // A page reloaded in the same tab names the same tab, and finds its history there.
    EXPECT_EQ(project->state("a")["redo"], 1);
    project->drawing(tag, "advanced", 0);
    EXPECT_EQ(project->state("a")["redo"], 1);
}

TEST_F(Tabs, AddingMergingDismantlingAndImportingAreUndone)
{
    const std::size_t at_start = drawings();
    const std::string added = project->add_drawing(in_tab({{"name", "extra"}}, "a"))["tag"];
    EXPECT_EQ(drawings(), at_start + 1);
    undo_in("a");
    EXPECT_FALSE(has_drawing(added));
    EXPECT_EQ(file_bytes(file), file_bytes(template_file)) << "the file no longer holds the added drawing";
    undo_in("a", true);
    EXPECT_TRUE(has_drawing(added)) << "the redo puts it back under its tag";
    EXPECT_EQ(project->drawing(added, "", std::nullopt)["name"], "extra");

    // Another tab edits the added drawing: taking it out would lose that edit.
    const long v = project->drawing(added, "advanced", std::nullopt)["version"];
    project->edit(in_tab({{"tag", added}, {"version", v}, {"table", construction}, {"key", "m_dWidth"}, {"value", "610"}}, "b"));
    EXPECT_EQ(refusal([&] { undo_in("a"); }).status, 422);
    EXPECT_TRUE(has_drawing(added));

    // Drawings merge when they refer to piers, as the engineer's do.
    const std::string pier1 = reinterpret_cast<const char*>(u8"主线1号墩");
    const std::string pier2 = reinterpret_cast<const char*>(u8"主线2号墩");
    project->reference(in_tab({{"tag", tag}, {"version", version()}, {"structure", pier1}, {"rows", "1"}, {"numbers", "1,2"}}, "c"));
    project->add_drawing(in_tab({{"structure", pier2}}, "c"));
    const std::vector<std::string> both{reinterpret_cast<const char*>(u8"垫石"), pier2 + reinterpret_cast<const char*>(u8"垫石")};
    const std::string merged = project->method("merge", in_tab({{"drawings", both}}, "c"))["tag"];
    const std::size_t with_merged = drawings();
    project->method("dismantle", in_tab({{"tag", merged}}, "c"));
    EXPECT_GT(drawings(), with_merged);
    undo_in("c");
    EXPECT_EQ(drawings(), with_merged) << "the dismantled drawings are taken out again";
    undo_in("c");
    EXPECT_FALSE(has_drawing(merged));

    const auto workbook = project->xlsx_export(tag);
    edit_in("d", "m_dWidth", "640");
    project->import_sheet(in_tab({{"tag", tag}, {"version", version()}, {"apply", true}, {"name", "w.xlsx"}}, "d"),
                          workbook.bytes);
    EXPECT_EQ(cell("m_dWidth"), "560");
    undo_in("d");
    EXPECT_EQ(cell("m_dWidth"), "640") << "the import is undone on its own";
}

TEST_F(Tabs, AnEditIsAnsweredWithTheRowsThatChanged)
{
    std::string list;
    const json state = project->state();
    for (const auto& d : state["drawings"])
        if (d["kind"] == "parametric") list = d["tag"];
    const std::string table = reinterpret_cast<const char*>(u8"垫石-参数化列表");
    const auto at = [&] { return project->drawing(list, "", std::nullopt)["version"].get<long>(); };
    std::string rows;
    for (int i = 2; i <= 40; ++i)
        rows += reinterpret_cast<const char*>(u8"桥墩\t主线\t") + std::to_string(i) + "\t6\t\t200.000000,210\t1100\t1700\t120\n";
    project->paste({{"tag", list}, {"version", at()}, {"table", table}, {"row", 2}, {"key", "m_Type"}, {"text", rows}});

    const json shown = project->drawing(list, "", std::nullopt);  // the page shows the tables
    const json& grid = shown["tables"]["templates"][0]["tables"][0];
    ASSERT_EQ(grid["rows"].size(), 40u);
    EXPECT_EQ(grid["rows"][5][5], "200,210") << "heights as the catalogue writes numbers";

    const json done = project->edit({{"tag", list}, {"version", shown["version"]}, {"table", table}, {"row", 7}, {"key", "m_dWid"}, {"value", "1250"}});
    ASSERT_TRUE(done.contains("patch")) << done.dump().substr(0, 400);
    EXPECT_FALSE(done.contains("tables"));
    ASSERT_EQ(done["patch"].size(), 1u) << done["patch"];
    EXPECT_EQ(done["patch"][0]["name"], table);
    EXPECT_EQ(done["patch"][0]["count"], 40);
    ASSERT_EQ(done["patch"][0]["rows"].size(), 1u) << done["patch"];
    EXPECT_EQ(done["patch"][0]["rows"]["6"][6], "1250");
    EXPECT_FALSE(done["sheets"]["svg"].get<std::string>().empty());

    // A row appended below the last comes as a longer count and the new row.
    const json appended = project->edit({{"tag", list}, {"version", done["version"]}, {"table", table}, {"row", 41}, {"key", "m_iN"}, {"value", "77"}});
    ASSERT_TRUE(appended.contains("patch"));
    EXPECT_EQ(appended["patch"][0]["count"], 41);
    EXPECT_TRUE(appended["patch"][0]["rows"].contains("40"));

    // Without the tables at hand (another page's version) the answer holds them whole.
    const json whole = project->edit({{"tag", tag}, {"version", version()}, {"table", construction}, {"key", "m_dWidth"}, {"value", "590"}});
    EXPECT_TRUE(whole.contains("patch") || whole.contains("tables"));
}

TEST_F(Tabs, TheDesignCheckFailsACountOfZeroAndOverriddenCellsAreReadOnly)
{
    edit_in("a", "m_iCount", "0");
    const json sheets = project->sheets(tag, 0);
    EXPECT_EQ(sheets["design"], "failed");
    EXPECT_NE(sheets["findings"].dump().find("no pedestal"), std::string::npos) << sheets["findings"];

    const json shown = project->drawing(tag, "advanced", std::nullopt);
    std::map<std::string, bool> read_only;
    for (const auto& group : shown["tables"]["templates"])
        for (const auto& t : group["tables"])
            if (t["name"] == reinterpret_cast<const char*>(u8"通用绘图设置"))
                for (const auto& c : t["cells"]) read_only[c["key"]] = c.value("read_only", false);
    EXPECT_TRUE(read_only["m_iScale"]) << "垫石-绘图设置 carries it too, and the observer keeps that one";
    EXPECT_TRUE(read_only["m_strCustomNote"]);
    EXPECT_FALSE(read_only["m_strQF"]) << "only this table carries the bridge part";
}

}  // namespace
