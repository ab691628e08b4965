// The parametric drawing's component input: size groups, heights and their
// labels, and the notes of each group (kind of support, applicability, unit,
// custom items).
#include <gtest/gtest.h>

#include "data/ds_ui_csh_data.h"
#include "drawing/ds_component_input.h"
#include "drawing/ds_ui_csh_drawing_strategy.h"
#include "host/drawing_lib/rx_component.h"
#include "support/component_record.h"
#include "support/differences.h"

namespace VQDraw_DS_UINA {
namespace {

using VQDraw_DS_GJNA::CRXComponent_DSGJ;
using VQDraw_DS_GJNA::DS_steel_pram_parameter;

constexpr const char* mm_note = "本图尺寸除钢筋直径以毫米计外，余均以毫米计";
constexpr const char* cm_note = "本图尺寸除钢筋直径以毫米计外，余均以厘米计";

struct row_fields {
    const char* qf = "主线";
    int num = 1;
    int count = 2;
    const char* heights = "200";
    double wid = 1100;
    double len = 1700;
    double angle = 120;
    const char* type = "桥墩";
    const char* pos = "";
};

DS_CSH_LB_Data make_row(const row_fields& fields)
{
    DS_CSH_LB_Data row;
    row.m_strQF = fields.qf;
    row.m_iNum = fields.num;
    row.m_iCount = fields.count;
    row.m_strH = fields.heights;
    row.m_dWid = fields.wid;
    row.m_dLen = fields.len;
    row.m_dAngle = fields.angle;
    row.m_Type = fields.type;
    row.m_strPos = fields.pos;
    return row;
}

class CshStrategy : public ::testing::Test {
protected:
    void SetUp() override
    {
        node.m_gz_data.set_default_value();
        strategy.set_graph_data(&node);
    }

    void set_rows(std::initializer_list<row_fields> rows_in)
    {
        node.m_csh_data.clear();
        for (const row_fields& fields : rows_in) node.m_csh_data.push_back(make_row(fields));
    }

    VQDraw_DS_GJNA::DS_draw_data record() { return ds_test::component_record(strategy); }

    /// The pier numbers of each parameter group, in order.
    std::vector<std::vector<int>> group_numbers()
    {
        std::vector<std::vector<int>> numbers;
        for (const auto& group : record().m_vecParamGroups) {
            std::vector<int>& into = numbers.emplace_back();
            for (const DS_steel_pram_parameter& param : group) into.push_back(param.m_iPierNum);
        }
        return numbers;
    }

    /// The notes of the only group.
    std::vector<CString> notes()
    {
        const VQDraw_DS_GJNA::DS_draw_data data = record();
        if (data.m_vecGroupNotes.size() != 1) {
            ADD_FAILURE() << "expected one note list, got " << data.m_vecGroupNotes.size();
            return {};
        }
        return data.m_vecGroupNotes[0];
    }

    DS_ui_CSH_data node;
    DS_ui_CSH_drawing_strategy strategy;
};

TEST_F(CshStrategy, AnEmptyListGivesADefaultRecord)
{
    node.m_csh_data.clear();
    node.m_gz_data.m_drawSet.m_DS_number = "Z9";
    EXPECT_EQ(record(), VQDraw_DS_GJNA::DS_draw_data());
}

TEST_F(CshStrategy, SettingsAndRowFieldsReachTheRecordAndTheDrawingIsNotTouched)
{
    common_gj_data_drawset& common = node.m_gz_data.m_drawSet.com_drawset;
    node.m_gz_data.m_drawSet.m_DS_number = "DS-2";
    common.m_iScale = 25;
    common.m_strConcreteType = "C50";
    common.m_strCustomNote = "附注";
    common.m_strQF = "右幅";
    common.m_iPierNum = 7;
    set_rows({{.qf = "左幅", .num = 4, .count = 3, .heights = "200,250", .wid = 900, .len = 1500, .angle = 75,
               .type = "桥台", .pos = "小桩号侧"}});
    DS_CSH_LB_Data& row = node.m_csh_data[0];
    row.m_strType = "A型";
    row.m_custom_note_items = {{"垫石顶面描述", ""}};
    row.m_Steel_P0.set_default_value();
    const DS_ui_CSH_data before(node);

    const VQDraw_DS_GJNA::DS_draw_data data = record();
    EXPECT_EQ(data.m_strDSNumber, "DS-2");
    EXPECT_EQ(data.m_iScaleElevation, 25);
    EXPECT_EQ(data.m_iScaleDetail, 25);
    EXPECT_EQ(data.m_strConcreteType, "C50");
    EXPECT_EQ(data.m_strCustomNote, "附注");
    // Identity fields of a single drawing mean nothing for a list.
    const VQDraw_DS_GJNA::DS_draw_data defaults;
    EXPECT_EQ(data.m_strQF, defaults.m_strQF);
    EXPECT_EQ(data.m_iPierNum, defaults.m_iPierNum);

    ASSERT_EQ(data.m_vecParamGroups.size(), 1u);
    ASSERT_EQ(data.m_vecParamGroups[0].size(), 1u);
    const DS_steel_pram_parameter& param = data.m_vecParamGroups[0][0];
    EXPECT_EQ(param.m_strSupportType, "桥台");
    EXPECT_EQ(param.m_strDSType, "A型");
    EXPECT_EQ(param.m_strPos, "小桩号侧");
    EXPECT_EQ(param.m_strName, "左幅");
    EXPECT_EQ(param.m_iPierNum, 4);
    EXPECT_EQ(param.m_iCount, 3);
    EXPECT_EQ(param.m_dWidth, 900);
    EXPECT_EQ(param.m_dLength, 1500);
    EXPECT_EQ(param.m_dAngle, 75);
    EXPECT_EQ(param.m_vecHeights, (std::vector<double>{200, 250, 250}));
    EXPECT_EQ(param.m_custom_note_items, row.m_custom_note_items);
    ASSERT_NE(param.m_pSteelGroup, nullptr);
    EXPECT_EQ(param.m_pSteelGroup, ds_first_steel_group(row.m_Steel_P0));
    EXPECT_EQ(data.m_vecHeightLabels, (std::vector<CString>{"h"}));

    EXPECT_EQ(ds_test::differences(node, before), ds_test::no_differences);
}

TEST_F(CshStrategy, RowsGroupBySizeInTheOrderOfTheirFirstRowWithPedestals)
{
    set_rows({{.num = 1, .wid = 1100}, {.num = 2, .wid = 1200}, {.num = 3, .wid = 1100}});
    EXPECT_EQ(group_numbers(), (std::vector<std::vector<int>>{{1, 3}, {2}}));

    // Angle alone separates sizes too; a difference inside the tolerance does not.
    set_rows({{.num = 1}, {.num = 2, .angle = 90}, {.num = 3, .wid = 1100 + 1e-9}});
    EXPECT_EQ(group_numbers(), (std::vector<std::vector<int>>{{1, 3}, {2}}));

    // A group is one row per list row, even for the same pier twice.
    set_rows({{.num = 5}, {.num = 5}});
    EXPECT_EQ(group_numbers(), (std::vector<std::vector<int>>{{5, 5}}));

    // Rows without pedestals only join an earlier row of their size.
    set_rows({{.num = 1, .count = 0, .wid = 1200}, {.num = 2, .count = 0}, {.num = 3, .count = 2},
              {.num = 4, .count = 0}, {.num = 5, .count = -1}});
    const VQDraw_DS_GJNA::DS_draw_data data = record();
    ASSERT_EQ(data.m_vecParamGroups.size(), 1u);
    const std::vector<DS_steel_pram_parameter>& group = data.m_vecParamGroups[0];
    ASSERT_EQ(group.size(), 3u);
    EXPECT_EQ(group[0].m_iPierNum, 3);
    EXPECT_EQ(group[1].m_iPierNum, 4);
    EXPECT_EQ(group[1].m_iCount, 0);
    EXPECT_TRUE(group[1].m_vecHeights.empty());
    EXPECT_EQ(group[2].m_iCount, -1);
    EXPECT_TRUE(group[2].m_vecHeights.empty());
    // Every member is named in the applicability note, pedestals or not.
    EXPECT_EQ(data.m_vecGroupNotes[0], (std::vector<CString>{mm_note, "本图适用于主线3~5号墩"}));
}

TEST_F(CshStrategy, HeightsSplitAtCommasOnlyAndLabelTheGroup)
{
    set_rows({{.count = 2, .heights = "200"}, {.num = 2, .count = 1, .heights = "200"}});
    EXPECT_EQ(record().m_vecHeightLabels, (std::vector<CString>{""}));

    set_rows({{.count = 2, .heights = "200"}, {.num = 2, .count = 1, .heights = "250"}});
    EXPECT_EQ(record().m_vecHeightLabels, (std::vector<CString>{"h"}));

    set_rows({{.count = 2, .heights = "200;250"}, {.num = 2, .count = 4, .heights = "300, 310,320"}});
    VQDraw_DS_GJNA::DS_draw_data data = record();
    ASSERT_EQ(data.m_vecParamGroups.size(), 1u);
    EXPECT_EQ(data.m_vecParamGroups[0][0].m_vecHeights, (std::vector<double>{200, 200}));
    EXPECT_EQ(data.m_vecParamGroups[0][1].m_vecHeights, (std::vector<double>{300, 310, 320, 320}));

    // One label per group, each from its own heights.
    set_rows({{.count = 2, .heights = "200,250"}, {.num = 2, .count = 3, .heights = "180", .wid = 900}});
    EXPECT_EQ(record().m_vecHeightLabels, (std::vector<CString>{"h", ""}));

    // No number at all: one zero per pedestal, which the component's check reports.
    set_rows({{.count = 2, .heights = "高"}});
    data = record();
    EXPECT_EQ(data.m_vecParamGroups[0][0].m_vecHeights, (std::vector<double>{0, 0}));
    CRXComponent_DSGJ component(data);
    EXPECT_FALSE(component.Design());
}

TEST_F(CshStrategy, ApplicabilityNoteKindPositionsOrderAndUnit)
{
    struct kind_case {
        const char* first;
        const char* second;
        const char* note;
    };
    const kind_case cases[] = {
        {"桥墩", "墩", "本图适用于主线1~2号墩"},   {"桥台", "台", "本图适用于主线1~2号台"},
        {"桥墩", "桥台", "本图适用于主线1~2号墩台"}, {"", "", "本图适用于主线1~2号墩台"},
        {"墩台", "", "本图适用于主线1~2号墩台"},
    };
    for (const kind_case& c : cases) {
        set_rows({{.num = 2, .type = c.first}, {.num = 1, .type = c.second}});
        EXPECT_EQ(notes(), (std::vector<CString>{mm_note, c.note})) << c.first << " " << c.second;
    }

    set_rows({{.num = 1, .pos = "NO"}, {.num = 2, .pos = ""}, {.num = 4, .pos = "左;右"}});
    EXPECT_EQ(notes(), (std::vector<CString>{mm_note, "本图适用于主线1~2、4号墩"}));

    set_rows({{.num = 3, .pos = "左侧"}, {.num = 1, .pos = "左侧"}, {.num = 2}});
    EXPECT_EQ(notes(), (std::vector<CString>{mm_note, "本图适用于主线2号墩,1、3号墩左侧"}));

    set_rows({{.qf = "主线", .num = 1}, {.qf = "匝道", .num = 2}, {.qf = "主线", .num = 3, .pos = "左侧"}});
    // The keys are "NO,主线", "NO,匝道" and "左侧,主线"; 匝 sorts before 主 in GBK, after it in UTF-8.
#if DS_NARROW_IS_GBK
    EXPECT_EQ(notes(), (std::vector<CString>{mm_note, "本图适用于匝道2号墩,主线1号墩,3号墩左侧"}));
#else
    EXPECT_EQ(notes(), (std::vector<CString>{mm_note, "本图适用于主线1号墩,匝道2号墩,主线3号墩左侧"}));
#endif

    // Entries that do not split in two print nothing but count towards the last.
    // Keys in order: "A B,主线" (three parts), "NO,主线", "左侧,主线".
    set_rows({{.num = 9, .pos = "A B"}, {.num = 2}, {.num = 3, .pos = "左侧"}});
    EXPECT_EQ(notes(), (std::vector<CString>{mm_note, "本图适用于主线2号墩,3号墩左侧"}));

    // Keys in order: "NO,主线", "左侧,主线", "座 位,主线" (three parts): the last
    // one printed keeps its separator.
    set_rows({{.num = 9, .pos = "座 位"}, {.num = 2}, {.num = 3, .pos = "左侧"}});
    EXPECT_EQ(notes(), (std::vector<CString>{mm_note, "本图适用于主线2号墩,3号墩左侧,"}));

    // An empty bridge part prints nothing; all entries skipped leave no applicability note.
    set_rows({{.qf = "", .num = 1}});
    EXPECT_EQ(notes(), (std::vector<CString>{mm_note}));
    set_rows({{.qf = "主 线", .num = 1}});
    EXPECT_EQ(notes(), (std::vector<CString>{mm_note}));

    // Each group names its own rows; a number repeated in a group is named once.
    set_rows({{.num = 3}, {.num = 2, .wid = 900, .type = "桥台"}, {.num = 1}, {.num = 3}});
    EXPECT_EQ(record().m_vecGroupNotes, (std::vector<std::vector<CString>>{{mm_note, "本图适用于主线1、3号墩"},
                                                                         {mm_note, "本图适用于主线2号台"}}));

    // The unit note follows the dimension unit.
    set_rows({{.num = 1}});
    RXDSGNMOD::set_dimension_unit("cm");
    const std::vector<CString> in_cm = notes();
    RXDSGNMOD::set_dimension_unit("mm");
    EXPECT_EQ(in_cm, (std::vector<CString>{cm_note, "本图适用于主线1号墩"}));
    EXPECT_EQ(notes(), (std::vector<CString>{mm_note, "本图适用于主线1号墩"}));
}

TEST_F(CshStrategy, CustomNotesComeFromTheFirstRowWithItems)
{
    set_rows({{.num = 1}, {.num = 2}, {.num = 3}});
    node.m_csh_data[1].m_custom_note_items = {
        {"单位描述", ""},       {"垫石顶面描述", ""}, {"施工调整描述", ""}, {"支座预埋件描述", ""},
        {"适用墩台描述", ""},   {"未知", ""},         {"未知", "自写附注"}, {"单位描述", "以米计"},
    };
    node.m_csh_data[2].m_custom_note_items = {{"垫石顶面描述", "第三行"}};
    EXPECT_EQ(notes(), (std::vector<CString>{
                           mm_note,
                           "施工时必须保证支座垫石顶面水平",
                           "墩台帽梁施工时应注意预埋支座垫石钢筋;若支座垫石钢筋与帽梁钢筋发生干扰,可适当移动支座垫石钢筋",
                           "施工时注意埋设支座预埋件，支座型号及构造详见相关设计图册",
                           "本图适用于主线1~3号墩",
                           "自写附注",
                           "以米计",
                       }));

    // With no applicability text the keyed item still gives a note: an empty one.
    set_rows({{.qf = "", .num = 1}});
    node.m_csh_data[0].m_custom_note_items = {{"适用墩台描述", ""}};
    EXPECT_EQ(notes(), (std::vector<CString>{""}));
}

}  // namespace
}  // namespace VQDraw_DS_UINA
