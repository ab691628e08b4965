// The structure table in the served project: a cell or a pasted block goes
// through the table's reader and a refusal names the cell and writes nothing;
// an edit marks the drawings on its structure stale until a refresh; a
// structure drawings refer to is removed only when forced; and every step is
// undone and redone per tab without overwriting another tab's later change.
#include <gtest/gtest.h>

#include "support/served_project.h"

namespace {

using namespace ds_test;

std::string u8s(const char8_t* text) { return reinterpret_cast<const char*>(text); }

constexpr int width_column = 9;     // 横桥向宽度(mm), letter J
constexpr int concrete_column = 3;  // 混凝土类型

class Structures : public Served {
protected:
    json table() { return project->structures(); }
    std::string cell_at(std::size_t line, int column) { return table()["lines"][line - 1]["cells"][column]; }
    json edit_cell(std::size_t line, int column, const std::string& value, const std::string& tab = "a")
    {
        return project->structure_edit(
            {{"version", table()["version"]}, {"line", line}, {"column", column}, {"value", value}, {"tab", tab}});
    }
    /// How the table marks the drawing `drawing` on `structure`: "up to date", "stale" or "" when not on it.
    std::string mark(const std::string& structure, const std::string& drawing)
    {
        const json shown = table();  // kept: the loop reads into it
        for (const auto& s : shown["structures"])
            if (s["name"] == structure)
                for (const auto& d : s["drawings"])
                    if (d["name"] == drawing) return d["stale"].get<bool>() ? "stale" : "up to date";
        return "";
    }
    json undo_in(const std::string& tab, bool redo = false) { return project->undo({{"tab", tab}}, redo); }

    const std::string pier1 = u8s(u8"主线1号墩");
    const std::string on_pier1 = u8s(u8"主线1号墩垫石");
};

TEST_F(Structures, CellsAndBlocksGoThroughTheTableReaderAndARefusalWritesNothing)
{
    const json shown = table();
    ASSERT_EQ(shown["columns"].size(), 14u);
    EXPECT_EQ(shown["columns"][width_column]["caption"], u8s(u8"横桥向宽度(mm)"));
    EXPECT_EQ(shown["columns"][width_column]["letter"], "J");
    ASSERT_EQ(shown["lines"].size(), 8u) << "an abutment of one row, three piers of two, an abutment";
    EXPECT_EQ(cell_at(2, 0), u8s(u8"主线"));

    edit_cell(2, width_column, "600");
    EXPECT_EQ(cell_at(2, width_column), "600");
    EXPECT_EQ(cell_at(3, width_column), "560") << "a row's size is its own";

    // A value the catalogue does not take, refused as a table file's cell is, naming the cell.
    const std::string saved = file_bytes(file);
    const api_error refused = refusal([&] { edit_cell(2, width_column, "abc"); });
    EXPECT_EQ(refused.status, 422);
    EXPECT_NE(std::string(refused.what()).find(u8s(u8"cell J3 \"横桥向宽度(mm)\": \"abc\"")), std::string::npos)
        << refused.what();
    EXPECT_EQ(refusal([&] { edit_cell(3, 6, "1"); }).status, 422) << "row 1 of a structure twice";
    EXPECT_EQ(file_bytes(file), saved) << "a refused edit writes nothing";
    EXPECT_EQ(cell_at(2, width_column), "600");

    // A page that showed the table before another step is told to reload.
    const std::string old_version = table()["version"];
    edit_cell(4, width_column, "610", "b");
    EXPECT_EQ(refusal([&] {
                  project->structure_edit({{"version", old_version}, {"line", 4}, {"column", width_column}, {"value", "1"}});
              }).code,
              "reload");

    // A shared setting typed in one line is its structure's.
    edit_cell(2, concrete_column, "C50");
    EXPECT_EQ(cell_at(3, concrete_column), "C50");

    // A block: two lines of width and length; then lines pasted past the end add a structure.
    project->structure_paste({{"version", table()["version"]}, {"line", 6}, {"column", width_column}, {"text", "700\t500\r\n710\t510\r\n"}});
    EXPECT_EQ(cell_at(6, width_column), "700");
    EXPECT_EQ(cell_at(7, width_column + 1), "510");
    const std::string added = u8s(u8"主线\t5\t柱式墩\tC40\t50\t40\t1\t600\t2\t560\t460\t200\t90\t\n");
    project->structure_paste({{"version", table()["version"]}, {"line", 9}, {"column", 0}, {"text", added}});
    EXPECT_EQ(table()["lines"].size(), 9u);
    EXPECT_EQ(table()["structures"].back()["name"], u8s(u8"主线5号墩"));
    const std::string before_bad_paste = file_bytes(file);
    EXPECT_EQ(refusal([&] {
                  project->structure_paste({{"version", table()["version"]}, {"line", 1}, {"column", width_column}, {"text", "600\t1\t2\t3\t4\t5\n"}});
              }).status,
              422)
        << "a block past the last column";
    EXPECT_EQ(refusal([&] {
                  project->structure_paste({{"version", table()["version"]}, {"line", 1}, {"column", width_column}, {"text", "650\n-3\n"}});
              }).status,
              422)
        << "one refused cell refuses the whole block";
    EXPECT_EQ(file_bytes(file), before_bad_paste);
    EXPECT_EQ(cell_at(1, width_column), "560");
}

TEST_F(Structures, AnEditMarksTheDrawingsOnItsStructureStaleUntilARefreshAndUndoGoesBack)
{
    project->add_drawing({{"structure", pier1}, {"tab", "a"}});
    EXPECT_EQ(mark(pier1, on_pier1), "up to date");
    EXPECT_EQ(mark(u8s(u8"主线2号墩"), on_pier1), "");

    edit_cell(2, width_column, "600");
    EXPECT_EQ(mark(pier1, on_pier1), "stale");
    const json refreshed = project->structure_refresh({{"tab", "a"}});
    EXPECT_TRUE(refreshed["changed"]);
    const std::string lines = refreshed["lines"].dump();
    EXPECT_NE(lines.find(u8s(u8"560 → 600")), std::string::npos) << lines;
    EXPECT_EQ(mark(pier1, on_pier1), "up to date");
    EXPECT_FALSE(project->structure_refresh({{"tab", "a"}})["changed"]) << "nothing stale: nothing to undo";

    undo_in("a");  // the refresh
    EXPECT_EQ(mark(pier1, on_pier1), "stale");
    undo_in("a");  // the width
    EXPECT_EQ(cell_at(2, width_column), "560");
    EXPECT_EQ(mark(pier1, on_pier1), "up to date");
    undo_in("a", true);
    EXPECT_EQ(cell_at(2, width_column), "600");
    EXPECT_EQ(mark(pier1, on_pier1), "stale");

    // Another tab changes the same structure: undoing this tab's width would take that back too.
    edit_cell(3, width_column, "620", "b");
    const std::string saved = file_bytes(file);
    EXPECT_NE(std::string(refusal([&] { undo_in("a"); }).what()).find("was changed after this step"), std::string::npos);
    EXPECT_EQ(file_bytes(file), saved);
    undo_in("b");
    undo_in("a");
    EXPECT_EQ(cell_at(2, width_column), "560") << "b's undo left the version a's step expects";
}

TEST_F(Structures, AStructureDrawingsReferToIsRemovedOnlyWhenForcedAndUndoPutsItBack)
{
    project->add_drawing({{"structure", pier1}, {"tab", "a"}});
    const std::string tag_of_pier = [&] {
        const json state = project->state();
        for (const auto& d : state["drawings"])
            if (d["name"] == pier1) return d["tag"].get<std::string>();
        return std::string();
    }();
    const std::string saved = file_bytes(file);
    const api_error refused = refusal([&] { project->structure_remove({{"structure", pier1}, {"tab", "a"}}); });
    EXPECT_EQ(refused.details.value("override", ""), "force_remove");
    EXPECT_NE(std::string(refused.what()).find(on_pier1), std::string::npos) << "names the drawing: " << refused.what();
    EXPECT_EQ(file_bytes(file), saved);
    // Renumbering the structure's lines in the table removes it too, under the same rule.
    EXPECT_EQ(refusal([&] { project->structure_paste({{"version", table()["version"]}, {"line", 2}, {"column", 1}, {"text", "9\n9\n"}}); })
                  .details.value("override", ""),
              "force_remove");

    project->structure_remove({{"structure", pier1}, {"force", true}, {"tab", "a"}});
    EXPECT_EQ(table()["lines"].size(), 6u);
    const std::string removed = file_bytes(file);
    undo_in("a");
    EXPECT_EQ(table()["lines"].size(), 8u);
    EXPECT_EQ(table()["structures"][1]["name"], pier1) << "back in its place";
    EXPECT_EQ(mark(pier1, on_pier1), "up to date") << "and the drawing refers to it again";
    EXPECT_EQ(file_bytes(file), saved);
    bool same_tag = false;
    const json state = project->state();
    for (const auto& d : state["drawings"]) same_tag |= d["tag"] == tag_of_pier;
    EXPECT_TRUE(same_tag) << tag_of_pier << project->state().dump();
    undo_in("a", true);
    EXPECT_EQ(file_bytes(file), removed);

    // A structure added in the page is taken out again by its undo.
    std::vector<std::string> values{u8s(u8"主线"), "7", u8s(u8"柱式墩"), "", "", "", "1", "600", "2", "560", "460", "200", "", ""};
    project->structure_add({{"values", values}, {"rows", {1, 2}}, {"tab", "c"}});
    EXPECT_EQ(table()["structures"].back()["lines"], 2);
    EXPECT_EQ(refusal([&] { project->structure_add({{"values", values}, {"tab", "c"}}); }).status, 422) << "it exists";
    undo_in("c");
    EXPECT_EQ(file_bytes(file), removed);
}

}  // namespace
