// Every pedestal record and node: what a stream without a "version", or with
// a version this program did not write, reads; and the exact difference lines
// ("caption" + other value + " → " + this value) their comparisons add.
#include <gtest/gtest.h>

#include <functional>
#include <cctype>
#include <map>
#include <string>
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
    ds_json::json_read_stream reader(ds_app::flat_tree_of(document));
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

namespace {

/// Every scalar member `document` holds, as JSON pointers ("/m_gz/m_dWidth"); of a list, its first item's.
void scalar_members(const nlohmann::ordered_json& value, const std::string& at, std::vector<std::string>& found)
{
    if (value.is_object()) {
        for (const auto& [key, member] : value.items())
            if (key != "version") scalar_members(member, at + "/" + key, found);
    } else if (value.is_array()) {
        if (!value.empty()) scalar_members(value.front(), at + "/0", found);
    } else {
        found.push_back(at);
    }
}

/// The member at `pointer` changed so that a comparison can tell: text gains an "X", a number grows by one, a flag flips.
void change(nlohmann::ordered_json& document, const std::string& pointer)
{
    nlohmann::ordered_json& value = document[nlohmann::ordered_json::json_pointer(pointer)];
    if (value.is_string()) value = value.get<std::string>() + "X";
    else if (value.is_boolean()) value = !value.get<bool>();
    else if (value.is_number_integer()) value = value.get<int>() + 1;
    else value = value.get<double>() + 1.0;
}

/// The number `text` ends in ("第1行钢筋根数12" gives "12"), or "".
std::string trailing_number(const std::string& text)
{
    std::size_t start = text.size();
    while (start > 0 && (std::isdigit(static_cast<unsigned char>(text[start - 1])) || text[start - 1] == '.' || text[start - 1] == '-'))
        --start;
    return text.substr(start);
}

/// "" when `line` reads "caption A → B" (the caption ending in "：", or, in the rebar's lines, running
/// straight into the value) with A the other record's value and B what `pointer`'s change made of it.
std::string misread(const CString& line, const nlohmann::ordered_json& original, const std::string& pointer)
{
    const std::string text = line.str(), arrow = std::string(" ") + "→" + " ";
    const auto split = text.find(arrow);
    if (split == std::string::npos) return "no arrow";
    const std::string left = text.substr(0, split), mine = text.substr(split + arrow.size());
    const nlohmann::ordered_json& value = original[nlohmann::ordered_json::json_pointer(pointer)];
    if (value.is_string()) {
        if (!mine.ends_with("X")) return "this record's value is not the changed one";
        const std::string other = mine.substr(0, mine.size() - 1);
        return left.ends_with(other) && left.size() > other.size() ? "" : "the other record's value or the caption is missing";
    }
    if (value.is_boolean()) return !left.ends_with(mine) ? "" : "the flag reads the same on both sides";
    const std::string other = trailing_number(left);
    if (other.empty() || other.size() == left.size()) return "no caption, or no value of the other record";
    return std::stod(mine) == std::stod(other) + 1 ? "" : "the values are not the other's, then this one's";
}

/// For each scalar member of `record` changed alone: the lines its comparison with the unchanged record adds,
/// keyed by member; members whose change adds no line map to "".
template <class Record>
std::map<std::string, std::string> difference_per_member(const Record& record)
{
    ds_test::recording_stream writer;
    Record copy = record;
    copy.serialize_members(writer);
    const nlohmann::ordered_json original = writer.json();
    std::vector<std::string> members;
    scalar_members(original, "", members);
    std::map<std::string, std::string> found;
    for (const std::string& pointer : members) {
        nlohmann::ordered_json changed_json = original;
        change(changed_json, pointer);
        Record changed = record;
        ds_json::json_read_stream reader(ds_app::flat_tree_of(changed_json));
        changed.serialize_members(reader);
        const lines_t lines = ds_test::differences(changed, record);
        if (lines.empty()) {
            found[pointer] = "";
        } else if (lines.size() > 1) {
            found[pointer] = std::to_string(lines.size()) + " lines";
        } else {
            const std::string wrong = misread(lines.front(), original, pointer);
            found[pointer] = wrong.empty() ? "ok" : lines.front().str() + ": " + wrong;
        }
    }
    return found;
}

/// Members no comparison looks at: list sizes (their items are compared), a row's notes, and the host
/// base's members, which the host compares itself.
bool left_uncompared(const std::string& pointer)
{
    return pointer.ends_with("/count") || pointer.find("m_custom_note_items/item") != std::string::npos ||
           pointer.starts_with("/xbjg_graph_data_base/") || pointer.starts_with("/xbjg_parameters_graph_data_base/");
}

TEST(RecordDifferences, EveryComparedMemberChangedAloneGivesOneLineOfItsOwnOtherThenThis)
{
    // Each member the record writes, changed on its own: one line naming it, the other record's value,
    // then this one's. A swapped pair would tell the engineer the opposite change.
    DS_draw_data drawing = drawing_record("1");
    drawing.m_drawSet.m_strMergeNum = "墩";
    const std::map<std::string, std::map<std::string, std::string>> records = {
        {"DS_GZ_Gen", difference_per_member(gz(600, "200"))},
        {"DS_steel_DrawSet", difference_per_member(drawing.m_drawSet)},
        {"DS_draw_data", difference_per_member(drawing)},
        {"DS_ui_data", difference_per_member(single("1"))},
        {"DS_CSH_Name", difference_per_member(height_name("H"))},
        {"DS_CSH_LB_Data", difference_per_member(row(1))},
        {"DS_ui_CSH_data", difference_per_member(parametric(false))},
    };
    std::size_t compared = 0;
    for (const auto& [record, members] : records)
        for (const auto& [member, verdict] : members) {
            if (left_uncompared(member)) {
                EXPECT_EQ(verdict, "") << record << member << " is compared";
                continue;
            }
            EXPECT_EQ(verdict, "ok") << record << member;
            ++compared;
        }
    EXPECT_GE(compared, 100u) << "every member of every record, the rebar's bar rows included";
}

}  // namespace
