// The structure table: cells and files to structures and back, drawings to
// lines and back, the refusals that name their cell, and the differences.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/spreadsheet/spreadsheet_formats.h"
#include "host/substructure/sample_bridge.h"
#include "host/substructure/structure_table.h"
#include "host/substructure/structure_table_file.h"
#include "host/text/encoding.h"
#include "support/temp_folder.h"
#include "support/utf8_literal.h"

namespace {

using namespace structure_table;
using ds_test::utf8;
using testing::HasSubstr;

std::vector<structure> sample_structures()
{
    std::vector<structure> out;
    const registered_substructures sample = sample_bridge::build();
    for (const auto& drawing : sample.nodes()) out.push_back(structure_of(*drawing));
    return out;
}

/// An engineer's table: no identity row, columns in an order of their own, optional ones left out.
ds_spreadsheet::table engineers_table()
{
    return {
        {"墩台号", "桥幅", "墩台类型", "垫石排号", "排位置(mm)", "垫石个数", "横桥向宽度(mm)", "顺桥向长度(mm)", "垫石高度(mm)"},
        {"3", "右幅", "柱式墩", "1", "600", "2", "560", "460", "200,210"},
        {"", "", "", "", "", "", "", "", ""},
        {"3", "右幅", "柱式墩", "2", "600", "2", "560", "460", "250"},
        {"0", "右幅", "肋板台", "2", "500", "3", "600", "400", "180"},
    };
}

/// The refusal from_cells gives `cells` (UTF-8), or "" when it reads them.
std::string refusal(const ds_spreadsheet::table& cells)
{
    try {
        from_cells(cells, "t.csv");
    } catch (const table_error& e) {
        return e.what();
    }
    return "";
}

TEST(StructureTable, TheSampleBridgeGoesThroughCellsAndDrawingsUnchanged)
{
    const std::vector<structure> sample = sample_structures();
    ASSERT_EQ(sample.size(), 5u);
    EXPECT_EQ(sample[0].rows.size(), 1u);  // abutment 0: its span side only
    EXPECT_EQ(sample[0].rows[0].row, 2);
    EXPECT_EQ(sample[4].rows[0].row, 1);
    EXPECT_EQ(sample[1].rows.size(), 2u);
    EXPECT_EQ(sample[1].rows[0].position, 600.0);

    const ds_spreadsheet::table cells = to_cells(sample);
    EXPECT_EQ(cells.size(), 2u + 1 + 2 * 3 + 1);
    EXPECT_EQ(cells[1][0], CString("桥幅"));
    EXPECT_EQ(cells[1][13], CString("自定义附注"));
    const read_outcome read = from_cells(cells, "t.csv");
    EXPECT_EQ(read.structures, sample);
    EXPECT_TRUE(read.warnings.empty());

    for (const structure& s : sample) EXPECT_EQ(structure_of(*make_drawing(s)), s);
    EXPECT_EQ(make_drawing(sample[1])->get_node_name(), CString("主线1号墩"));
}

TEST(StructureTable, AnEngineersTableReadsByCaptionWithDefaults)
{
    const read_outcome read = from_cells(engineers_table(), "t.csv");
    ASSERT_EQ(read.structures.size(), 2u);
    const structure& pier = read.structures[0];
    EXPECT_EQ(structure_name(pier.key), CString("右幅3号墩"));
    EXPECT_FALSE(pier.key.abutment);
    EXPECT_EQ(pier.settings().concrete, CString("C40"));
    EXPECT_EQ(pier.settings().scale, 50);
    EXPECT_EQ(pier.settings().cover, 40.0);
    EXPECT_EQ(pier.settings().angle, 90.0);
    const std::vector<ds_gz_data> pedestals = pedestals_of(pier);
    ASSERT_EQ(pedestals.size(), 4u);
    EXPECT_EQ(pedestals[0].m_dPos, -600.0);  // row 1: smaller-chainage side
    EXPECT_EQ(pedestals[1].m_dHeight, 210.0);
    EXPECT_EQ(pedestals[3].m_dPos, 600.0);
    EXPECT_EQ(pedestals[3].m_dHeight, 250.0);
    EXPECT_TRUE(read.structures[1].key.abutment);
    EXPECT_EQ(structure_name(read.structures[1].key), CString("右幅0号台"));
}

TEST(StructureTable, RefusalsNameTheCellTheValueAndTheRule)
{
    auto with = [](std::size_t row, std::size_t column, const char* value) {
        ds_spreadsheet::table cells = engineers_table();
        cells[row][column] = value;
        return refusal(cells);
    };
    EXPECT_THAT(with(1, 3, "3"), HasSubstr("t.csv: cell D2 \"" + utf8(u8"垫石排号") + "\": \"3\" needs a whole number from 1 to 2"));
    EXPECT_THAT(with(3, 3, "1"), HasSubstr("cell D4"));
    EXPECT_THAT(with(3, 3, "1"), HasSubstr(utf8(u8"右幅3号墩") + " a second time (first in row 2)"));
    EXPECT_THAT(with(1, 8, "200,210,220"), HasSubstr("cell I2"));
    EXPECT_THAT(with(1, 8, "200,210,220"), HasSubstr("holds 3 heights for 2 pedestals"));
    EXPECT_THAT(with(1, 8, "200,abc"), HasSubstr("\"abc\" is not a number"));
    EXPECT_THAT(with(3, 4, "0"), HasSubstr("cell E4"));
    EXPECT_THAT(with(3, 2, "花瓶墩"), HasSubstr("cell C4"));
    EXPECT_THAT(with(1, 2, "T"), HasSubstr("\"T\" needs one of the choices"));
    EXPECT_THAT(with(1, 6, "-5"), HasSubstr("cell G2"));
    EXPECT_THAT(with(1, 1, "a\x1b"), HasSubstr("\\x1B"));

    ds_spreadsheet::table no_count = engineers_table();
    for (auto& line : no_count) line.erase(line.begin() + 5);
    EXPECT_THAT(refusal(no_count), HasSubstr("has no column \"" + utf8(u8"垫石个数") + "\""));
    ds_spreadsheet::table drawing_file = engineers_table();
    drawing_file.insert(drawing_file.begin(), {"# 图名", "垫石1"});
    EXPECT_THAT(refusal(drawing_file), HasSubstr("holds the table of the drawing"));
    EXPECT_EQ(refusal(engineers_table()), "");
}

class StructureTableFiles : public ds_test::temp_folder_test {};

TEST_F(StructureTableFiles, BothFormatsWriteAndReadTheSameStructures)
{
    registered_substructures random = sample_bridge::build_random_piers(30, 7);
    std::vector<structure> structures = sample_structures();
    for (const auto& drawing : random.nodes()) {
        structure s = structure_of(*drawing);  // piers 101 on, beside the sample's
        s.key.number += 100;
        for (table_row& row : s.rows) row.number = s.key.number;
        structures.push_back(std::move(s));
    }
    for (table_row& row : structures.back().rows) row.note = "第一行\n第二行";
    for (const auto& format : ds_spreadsheet::spreadsheet_formats()) {
        const auto file = m_dir / ("t." + std::string(format.name));
        write_file(file, format, structures);
        const file_outcome read = read_file(file, format);
        EXPECT_EQ(read.table.structures, structures) << format.name;
        if (format.workbook) {
            EXPECT_EQ(read.source, file.string() + ", sheet \"" + utf8(u8"墩台表") + "\"");
        }
    }
}

TEST(StructureTable, DifferencesNameEachFieldOldValueFirst)
{
    const std::vector<structure> before = sample_structures();
    std::vector<structure> after = before;
    after[1].rows[0].width = 600;
    after[1].rows[1].heights = {250, 260};
    after[2].rows[0].concrete = "C50";
    after.erase(after.begin() + 3);
    structure added = before[1];
    added.key.number = 9;
    after.push_back(added);

    const std::vector<structure_change> changes = differences(before, after);
    ASSERT_EQ(changes.size(), 4u);
    EXPECT_EQ(changes[0].what, structure_change::kind::changed);
    EXPECT_THAT(changes[0].lines, testing::ElementsAre(utf8(u8"横桥向宽度(mm) 第1排: 560 → 600"),
                                                       utf8(u8"垫石高度(mm) 第2排: 250 → 250,260")));
    EXPECT_THAT(changes[1].lines, testing::ElementsAre(utf8(u8"混凝土类型: C40 → C50")));
    EXPECT_EQ(changes[2].what, structure_change::kind::added);
    EXPECT_EQ(changes[3].what, structure_change::kind::removed);
    EXPECT_EQ(changes[3].key.number, 3);
    EXPECT_TRUE(differences(before, before).empty());
}

TEST(StructureTable, ARowWhosePedestalsDifferInSizeIsNoLine)
{
    auto pier = make_substructure_drawing(0, "柱式墩", "主线", 1, "C40", 50,
                                          {{-600, 90, 560, 460, 200}, {-600, 90, 660, 460, 200}});
    try {
        structure_of(*pier);
        FAIL() << "a row of two sizes was written as one line";
    } catch (const table_error& e) {
        EXPECT_THAT(e.what(), HasSubstr(utf8(u8"主线1号墩")));
    }
}

}  // namespace
