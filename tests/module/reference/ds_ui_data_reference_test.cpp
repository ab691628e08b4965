// The structure reference of a single drawing: which pedestals the conditions
// select, what the drawing takes from them, what a refusal leaves behind, and
// the user grid row it fills back.
#include <gtest/gtest.h>

#include "data/ds_ui_data.h"
#include "host/framework/message_output.h"
#include "host/rebar/steel_data.h"
#include "host/substructure/common_refrence_tools.h"
#include "host/substructure/substructure_graph_data.h"
#include "support/differences.h"

namespace {

using VQDraw_DS_UINA::DS_ui_data;
using ds_test::differences;
using ds_test::no_differences;
using conditions = std::map<CString, CString>;

constexpr const char* no_match = "不存在符合构造引用条件的垫石，请检查！";

// Each pedestal's width names it; lengths and heights follow from it.
ds_gz_data at(double position, double width) { return {position, width / 10, width, width - 100, width - 300}; }

/// Two rows of two on a pier; an abutment whose pedestals all stand on the
/// larger-chainage side; a pier with one pedestal exactly on the axis.
std::unique_ptr<substructure_graph_data> structure(char kind)
{
    switch (kind) {
    case 'P': return make_substructure_drawing(substructure_pier, "柱式墩", "主线", 3, "C35", 50,
                                               {at(-600, 501), at(-600, 502), at(600, 503), at(600, 504)});
    case 'A': return make_substructure_drawing(substructure_abutment, "肋板台", "右幅", 4, "C30", 50,
                                               {at(500, 601), at(500, 602)});
    case 'Z': return make_substructure_drawing(substructure_pier, "柱式墩", "主线", 5, "C35", 50, {at(0, 701), at(600, 702)});
    default: return make_substructure_drawing(substructure_pier, "柱式墩", "主线", 6, "C35", 50, {});
    }
}

DS_ui_data referencing_drawing()
{
    DS_ui_data drawing;
    drawing.set_default_value();
    drawing.m_draw_data.m_drawSet.m_DS_number = "7";
    return drawing;
}

TEST(StructureReference, ConditionsSelectRowsAndNumbersInTheirOrder)
{
    struct reference_case {
        char kind;
        const char* rows;     ///< nullptr: the condition is absent
        const char* numbers;  ///< nullptr: the condition is absent
        double first_width;   ///< 0: nothing is taken
        int count;
        const char* position;
    };
    const reference_case cases[] = {
        {'P', nullptr, nullptr, 501, 1, "小桩号侧"},  // absent conditions mean row 1, number 1
        {'P', "2", "1,2", 503, 2, "大桩号侧"},
        {'P', "2,1", "2,1", 504, 4, "大桩号侧"},      // rows, then numbers, as requested
        {'P', "1", "1,1", 501, 2, "小桩号侧"},        // a repeated number selects its pedestal again
        {'P', "3,1", "5,2", 502, 1, "小桩号侧"},      // rows other than 1 and 2, numbers past the row: skipped
        {'A', "1", "2", 602, 1, "大桩号侧"},          // one-sided: row 2 serves as row 1
        {'A', nullptr, nullptr, 601, 1, "大桩号侧"},
        {'A', "1,2", "1", 601, 1, "大桩号侧"},        // not only row 1 asked for: row 2 stays row 2
        {'A', "1,1", "1", 0, 0, ""},                  // the one-sided rule needs the row list {1} exactly
        {'Z', "1", "1", 701, 1, ""},                  // position 0 is row 1 and no side
        {'Z', "1", "2", 0, 0, ""},                    // row 1 is not empty: no one-sided rule
        {'P', "1", "3", 0, 0, ""},
    };
    for (const reference_case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " rows " << (c.rows ? c.rows : "-") << " numbers "
                                        << (c.numbers ? c.numbers : "-"));
        const auto pier = structure(c.kind);
        DS_ui_data drawing = referencing_drawing();
        const DS_ui_data before = drawing;
        conditions given = {{"其它", "9"}};
        if (c.rows) given["垫石排号"] = c.rows;
        if (c.numbers) given["垫石编号"] = c.numbers;
        message_output::take_messages();

        EXPECT_EQ(drawing.get_ref_structure_data(pier.get(), given), c.first_width != 0);

        const auto messages = message_output::take_messages();
        const auto& gz = drawing.m_draw_data.m_gz;
        const auto& drawset = drawing.m_draw_data.m_drawSet.com_drawset;
        ASSERT_EQ(drawset.m_merge_infos.size(), 1u);  // the conditions are kept exactly as read
        EXPECT_EQ(drawset.m_merge_infos[0].m_strRows, CString(c.rows ? c.rows : "1"));
        EXPECT_EQ(drawset.m_merge_infos[0].m_strNums, CString(c.numbers ? c.numbers : "1"));
        EXPECT_EQ(drawset.m_strCompType, CString(c.kind == 'A' ? "桥台" : "桥墩"));
        if (c.first_width == 0) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, CString(no_match));
            EXPECT_EQ(std::make_pair(messages[0].output, messages[0].type), std::make_pair(1, 1));
            EXPECT_EQ(differences(gz, before.m_draw_data.m_gz), no_differences);
            EXPECT_EQ(drawing.m_draw_data.m_drawSet.m_DS_number, CString("7"));
            continue;
        }
        EXPECT_TRUE(messages.empty());
        const ds_gz_data first = at(0, c.first_width);
        EXPECT_EQ(gz.m_dWidth, first.m_dWidth);
        EXPECT_EQ(gz.m_dLenth, first.m_dLength);
        EXPECT_EQ(gz.m_dSlope, first.m_dAngle);
        EXPECT_EQ(gz.strHei, CString(std::to_string(first.m_dHeight).c_str()));  // six decimals
        EXPECT_EQ(gz.m_iCount, c.count);
        EXPECT_EQ(gz.strPos, CString(c.position));
        EXPECT_EQ(drawing.m_draw_data.m_drawSet.m_DS_number, CString(""));
    }
}

TEST(StructureReference, EarlyReturnsChangeOnlyWhatWasDoneBeforeThem)
{
    // Not a substructure drawing: nothing changes at all.
    DS_ui_data drawing = referencing_drawing();
    const DS_ui_data before = drawing;
    const drawing_graph_data_base not_a_structure;
    EXPECT_FALSE(drawing.get_ref_structure_data(&not_a_structure, {}));
    EXPECT_FALSE(drawing.get_ref_structure_data(nullptr, {}));
    EXPECT_EQ(differences(drawing, before), no_differences);

    // No pedestals, or a condition that reads as no number: the settings are
    // already the structure's, but no merge record is added and nothing is said.
    message_output::take_messages();
    const std::pair<char, conditions> refusals[] = {
        {'-', {}}, {'P', {{"垫石排号", ""}}}, {'P', {{"垫石编号", "x"}}}};
    for (const auto& [kind, given] : refusals) {
        DS_ui_data refused = referencing_drawing();
        const auto pier = structure(kind);
        EXPECT_FALSE(refused.get_ref_structure_data(pier.get(), given)) << kind;
        const auto& drawset = refused.m_draw_data.m_drawSet.com_drawset;
        EXPECT_EQ(drawset.m_strCompType, CString("桥墩"));
        EXPECT_EQ(drawset.m_iPierNum, pier->substructure_info().number);
        EXPECT_TRUE(drawset.m_merge_infos.empty());
        EXPECT_EQ(differences(refused.m_draw_data.m_gz, before.m_draw_data.m_gz), no_differences);
    }
    EXPECT_TRUE(message_output::take_messages().empty());
}

TEST(StructureReference, BackFillGivesTheConditionsBackAndKeepsOtherEntries)
{
    DS_ui_data drawing = referencing_drawing();
    drawing.m_draw_data.m_gz.strHei = "200;210 220";
    conditions row = {{"垫石排号", "旧排"}, {"垫石编号", "旧号"}, {"备注", "保留"}};
    drawing.back_fill_steel_data_to_user_grid(row);  // no merge record yet: the caller's entries stay
    EXPECT_EQ(row, (conditions{{"横桥向宽度", "560.000000"}, {"顺桥向长度", "560.000000"}, {"垫石高度", "200;210 220"},
                               {"侧边线夹角", "90.000000"}, {"墩台类型", ""}, {"桥幅名称", ""}, {"墩台编号", "0"},
                               {"垫石排号", "旧排"}, {"垫石编号", "旧号"}, {"备注", "保留"}}));

    const auto abutment = structure('A');
    ASSERT_TRUE(drawing.get_ref_structure_data(abutment.get(), {{"垫石排号", "2"}, {"垫石编号", "2,1"}}));
    drawing.back_fill_steel_data_to_user_grid(row);
    EXPECT_EQ(row, (conditions{{"横桥向宽度", "602.000000"}, {"顺桥向长度", "502.000000"}, {"垫石高度", "302.000000"},
                               {"侧边线夹角", "60.200000"}, {"墩台类型", "桥台"}, {"桥幅名称", "右幅"}, {"墩台编号", "4"},
                               {"垫石排号", "2"}, {"垫石编号", "2,1"}, {"备注", "保留"}}));
}

TEST(StructureReference, ReferableTypesAreAbutmentsThenPiersFetchedOnce)
{
    const std::vector<CString> expected = {"桩柱台", "肋板台", "墙式台", "座板台", "板凳台",
                                           "扶壁台", "柱式墩", "盖梁柱式墩", "花瓶墩", "墙式墩"};
    EXPECT_EQ(DS_ui_data().get_all_can_ref_gz_types(), expected);
    common_refrence_tools::reset_call_counts();
    EXPECT_EQ(DS_ui_data().get_all_can_ref_gz_types(), expected);
    common_refrence_tools::Get_All_QD_Type_Names();  // the host does count its answers
    const auto counts = common_refrence_tools::get_call_counts();
    EXPECT_EQ(std::make_pair(counts.qt_type_names, counts.qd_type_names), std::make_pair(0, 1));
}

}  // namespace
