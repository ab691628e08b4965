// Every pedestal record and node: what a stream without a "version", or with
// a version this program did not write, reads; and the exact difference lines
// ("caption" + other value + " → " + this value) their comparisons add.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "data/ds_csh_records.h"
#include "data/ds_draw_data.h"
#include "data/ds_ui_csh_data.h"
#include "data/ds_ui_data.h"
#include "support/differences.h"
#include "support/recording_stream.h"

namespace {

using namespace VQDraw_DS_UINA;
using lines_t = std::vector<CString>;

template <class Record>
lines_t differences(const Record& mine, const Record& other)
{
    lines_t lines = ds_test::differences(mine, other);
    if constexpr (requires { mine.m_custom_note_items; }) {  // a row's comparison leaves its notes out
        if (mine.m_custom_note_items != other.m_custom_note_items) lines.push_back("notes");
    }
    return lines;
}

/// "read" when `target` took what `stored` wrote, "kept" when it kept its own members.
template <class Record>
std::string read_with_version(Record stored, Record target, std::optional<int> version)
{
    ds_test::recording_stream writer;
    stored.serialize_members(writer);
    nlohmann::ordered_json document = writer.json();
    if (version) document["version"] = *version;
    else document.erase("version");
    const Record before = target;
    ds_json::json_read_stream reader(document);
    target.serialize_members(reader);
    if (differences(target, stored).empty()) return "read";
    return differences(target, before).empty() ? "kept" : "partly read";
}

DS_GZ_Gen gz(double width, const char* heights)
{
    DS_GZ_Gen record;
    record.set_default_value();
    record.m_dWidth = width;
    record.strHei = heights;
    return record;
}

DS_CSH_Name height_name(const char* name)
{
    DS_CSH_Name record;
    record.m_strH = name;
    return record;
}

DS_draw_data drawing_record(const char* number)
{
    DS_draw_data record;
    record.set_default_value();
    record.m_gz = gz(600, "250;260");
    record.m_drawSet.m_DS_number = number;
    record.m_drawSet.com_drawset.m_iScale = 25;
    return record;
}

DS_ui_data single(const char* ref_number)
{
    DS_ui_data node;
    node.set_default_value();
    node.ref_DS_Num = ref_number;
    node.m_draw_data = drawing_record(ref_number);
    return node;
}

DS_CSH_LB_Data row(int number)
{
    DS_CSH_LB_Data record;
    record.set_default_value();
    record.m_iNum = number;
    record.m_strPos = "大桩号侧";
    record.m_custom_note_items = {{"单位描述", "以米计"}};
    return record;
}

DS_ui_CSH_data parametric(bool merged)
{
    DS_ui_CSH_data node;
    node.set_default_value();
    node.m_csh_data = {row(merged ? 4 : 1)};
    node.m_is_merge = merged;
    return node;
}

TEST(RecordVersions, MissingOrOtherVersionsReadAsEachRecordsLayoutSays)
{
    using reader = std::function<std::string(std::optional<int>)>;
    const std::map<std::string, reader> records = {
        {"DS_steel_Gen", [](auto v) { return read_with_version(gz(600, "250"), gz(560, "200"), v); }},
        {"DS_steel_DrawSet",
         [](auto v) { return read_with_version(drawing_record("A").m_drawSet, drawing_record("B").m_drawSet, v); }},
        {"DS_draw_data", [](auto v) { return read_with_version(drawing_record("A"), drawing_record("B"), v); }},
        {"DS_ui_data", [](auto v) { return read_with_version(single("3"), single("1"), v); }},
        {"DS_CSH_Name", [](auto v) { return read_with_version(height_name("H"), height_name("h"), v); }},
        {"DS_CSH_LB_Data", [](auto v) { return read_with_version(row(7), DS_CSH_LB_Data(), v); }},
        {"DS_ui_CSH_data", [](auto v) { return read_with_version(parametric(true), parametric(false), v); }},
    };
    struct version_case {
        const char* record;
        std::optional<int> version;
        const char* outcome;
    };
    const version_case cases[] = {
        {"DS_steel_Gen", std::nullopt, "read"},     {"DS_steel_Gen", 4, "read"},
        {"DS_steel_DrawSet", std::nullopt, "read"}, {"DS_steel_DrawSet", 7, "read"},
        {"DS_draw_data", std::nullopt, "read"},     {"DS_draw_data", 5, "kept"},  {"DS_draw_data", 0, "kept"},
        {"DS_ui_data", std::nullopt, "read"},       {"DS_ui_data", 2, "kept"},
        {"DS_CSH_Name", std::nullopt, "read"},      {"DS_CSH_Name", 9, "read"},
        {"DS_CSH_LB_Data", std::nullopt, "read"},   {"DS_CSH_LB_Data", 0, "read"}, {"DS_CSH_LB_Data", 7, "read"},
        {"DS_ui_CSH_data", std::nullopt, "read"},   {"DS_ui_CSH_data", 2, "kept"},
    };
    for (const version_case& c : cases)
        EXPECT_EQ(records.at(c.record)(c.version), c.outcome)
            << c.record << " version " << (c.version ? std::to_string(*c.version) : "none");
}

TEST(RecordDifferences, EachLineIsCaptionOtherArrowThisInMemberOrder)
{
    struct difference_case {
        const char* record;
        lines_t found;
        lines_t expected;
    };
    DS_GZ_Gen wide = gz(600, "200");
    wide.m_iCount = 2;
    wide.strPos = "大桩号侧";
    DS_steel_DrawSet renumbered = drawing_record("1").m_drawSet, settings = renumbered;
    renumbered.m_DS_number = "2";
    renumbered.m_strMergeNum = "台";
    DS_draw_data higher = drawing_record("1"), lower = higher;
    higher.m_gz.strHei = "300";
    higher.m_drawSet.m_DS_number = "3";
    DS_ui_data referenced = single("1");
    referenced.ref_Type = "外部引用";
    referenced.ref_DS_Num = "2";
    referenced.m_draw_data.m_gz.m_dSlope = 75.5;
    DS_CSH_LB_Data counted = row(1), other_row = row(1);
    counted.m_iCount = 8;
    counted.m_dAngle = 75.5;
    counted.m_custom_note_items.clear();  // notes are not compared
    other_row.m_iCount = 4;
    other_row.m_strPos = "小桩号侧";
    counted.m_Steel_P0.set_default_value();
    counted.m_Steel_P0.m_bars.resize(1);  // the rebar comes last
    DS_ui_CSH_data merged = parametric(false), plain = parametric(false);
    merged.m_csh_name.m_strH = "H";
    merged.m_csh_data[0].m_strQF = "匝道";
    merged.m_csh_data.push_back(row(2));  // a row the other lacks adds nothing
    merged.m_is_merge = true;

    const difference_case cases[] = {
        {"DS_steel_Gen", differences(wide, gz(560, "200")),
         {"垫石横桥向宽度：560 → 600", "垫石个数：1 → 2", "垫石位置： → 大桩号侧"}},
        {"DS_steel_DrawSet", differences(renumbered, settings), {"垫石编号：1 → 2", "墩台类别：墩 → 台"}},
        {"DS_draw_data", differences(higher, lower), {"垫石高度：250;260 → 300", "垫石编号：1 → 3"}},
        {"DS_ui_data", differences(referenced, single("1")),
         {"外部引用：自定义 → 外部引用", "引用的垫石序号：1 → 2", "垫石斜交角：90 → 75.5"}},
        {"DS_CSH_Name", differences(height_name("H"), height_name("h")), {"垫石高度h：h → H"}},
        {"DS_CSH_LB_Data", ds_test::differences(counted, other_row),
         {"个数：4 → 8", "斜交角：120 → 75.5", "垫石位置：小桩号侧 → 大桩号侧", "钢筋行数0 → 1"}},
        {"DS_ui_CSH_data", differences(merged, plain),
         {"垫石高度h：h → H", "桥幅：主线 → 匝道", "是否为合并成的数据：否 → 是"}},
    };
    for (const difference_case& c : cases) EXPECT_EQ(c.found, c.expected) << c.record;
}

}  // namespace
