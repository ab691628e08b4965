// The pedestal drawings' fields, declared once: stored member, grid cells,
// spreadsheet rows, kind, unit, limits and choices.
#include "host/fields/field_catalogue.h"

#include "host/fields/input_limits.h"

namespace field_catalogue {

const char* const single_sheet = "垫石";
const char* const parametric_sheet = "垫石参数化";
const char* const parametric_sheet_list = "垫石参数化:列表";
const char* const structure_sheet = "墩台表";

namespace tables {
const char* const overall = "垫石-总体属性";
const char* const construction = "垫石-构造属性";
const char* const pedestal_settings = "垫石-绘图设置";
const char* const common_settings = "通用绘图设置";
const char* const common_settings_param = "通用绘图设置-参数化";
const char* const param_settings = "DS_CSH_Drawset";
const char* const param_name = "垫石-参数化列表名称";
const char* const param_list = "垫石-参数化列表";
const char* const rebar = "垫石_钢筋表";
}  // namespace tables

const char* const drawing_row_caption = "# 图名";

std::vector<const char*> sheet_headings(std::string_view table)
{
    // The single drawing's table opens with a header row over its columns.
    if (table == single_sheet) return {drawing_row_caption, "属性", "数据", "填写说明"};
    if (table == parametric_sheet) return {drawing_row_caption};
    return {};
}

namespace {

// What a door accepts, and what the loader keeps from old files: input_limits' ranges.
using input_limits::max_path_chars;
const auto& size = input_limits::size;
const auto& size_or_unset = input_limits::size_or_unset;
const auto& angle = input_limits::angle;
const auto& count = input_limits::pedestal_count;
const auto& scale = input_limits::scale;
const auto& structure_number = input_limits::structure_number;
const auto& diameter = input_limits::bar_diameter;
const auto& bars = input_limits::bar_count;
const auto& magnitude = input_limits::magnitude;
const auto& stored_diameter = input_limits::stored_bar_diameter;

using namespace tables;

// The module splits a single drawing's heights at blanks, commas and
// semicolons, a list row's at commas only.
const char* const single_height_separators = " ,;";
const char* const row_height_separators = ",";

field make(const char* name, const char* stored, field_kind kind, const char* unit, number_range range,
           std::optional<number_range> stored_range)
{
    field f;
    f.name = name;
    f.stored = stored;
    f.kind = kind;
    f.unit = unit;
    f.range = range;
    f.stored_range = stored_range;
    return f;
}

field number(const char* name, const char* stored, field_kind kind, const char* unit, number_range range,
             std::optional<number_range> stored_range, std::vector<place> places)
{
    field f = make(name, stored, kind, unit, range, stored_range);
    f.places = std::move(places);
    return f;
}

field text(const char* name, const char* stored, std::size_t max_chars, std::vector<place> places,
           bool required = false, bool multi_line = false)
{
    field f = make(name, stored, field_kind::text, "", {}, std::nullopt);
    f.max_chars = max_chars;
    f.required = required;
    f.multi_line = multi_line;
    f.places = std::move(places);
    return f;
}

field choice(const char* name, const char* stored, std::vector<const char*> choices, std::vector<place> places)
{
    field f = make(name, stored, field_kind::choice, "", {}, std::nullopt);
    f.choices = std::move(choices);
    f.max_chars = max_name_chars;
    f.places = std::move(places);
    return f;
}

field heights(const char* name, const char* stored, const char* separators, std::vector<place> places)
{
    field f = make(name, stored, field_kind::heights, "mm", size, magnitude);
    f.separators = separators;
    f.max_chars = input_limits::max_heights_chars;
    f.places = std::move(places);
    return f;
}

/// `f` with the name messages call it by, for a field no place shows.
field labelled(field f, const char* label)
{
    f.label = label;
    return f;
}

std::vector<const char*> structure_types()
{
    return {"", "桥墩", "桥台", "柱式墩", "盖梁柱式墩", "花瓶墩", "墙式墩", "桩柱台", "肋板台", "墙式台", "座板台",
            "板凳台", "扶壁台"};
}

std::vector<place> settings_places(const char* key, const char* caption)
{
    return {{common_settings, key, caption},   {common_settings_param, key, caption}, {pedestal_settings, key, caption},
            {param_settings, key, caption},    {single_sheet, "", caption},         {parametric_sheet, "", caption}};
}

void add_single_fields(std::vector<field>& f)
{
    using K = field_kind;
    f.push_back(choice("input_mode", "ref_Type", {"自定义", "外部引用", "外部导入"},
                       {{overall, "m_GetType", "输入方式"}, {single_sheet, "", "输入方式"}}));
    f.push_back(text("reference_drawing", "refrence_graph_name", max_path_chars,
                     {{overall, "m_Ref_path", "引用墩台图纸"}, {single_sheet, "", "引用构造路径"}}));
    f.push_back(text("reference_number", "ref_DS_Num", max_name_chars,
                     {{overall, "m_Num", "引用垫石序号"}, {single_sheet, "", "垫石序号"}}));
    f.push_back(number("gz.width", "m_gz/m_dWidth", K::real, "mm", size, magnitude,
                       {{overall, "m_dWidth", "横桥向宽度(mm)"}, {construction, "m_dWidth", "横桥向宽度(mm)"},
                        {single_sheet, "", "横桥向宽度(mm)"}, {parametric_sheet, "", "横桥向宽度(mm)", true}}));
    f.push_back(number("gz.length", "m_gz/m_dLenth", K::real, "mm", size, magnitude,
                       {{overall, "m_dLenth", "顺桥向长度(mm)"}, {construction, "m_dLenth", "顺桥向长度(mm)"},
                        {single_sheet, "", "顺桥向长度(mm)"}, {parametric_sheet, "", "顺桥向长度(mm)", true}}));
    f.push_back(heights("gz.heights", "m_gz/strHei", single_height_separators,
                        {{overall, "m_dHeight", "垫石高度(mm)"}, {construction, "m_dHeight", "垫石高度(mm)"},
                         {single_sheet, "", "高度(mm)"}, {parametric_sheet, "", "高度(mm)", true}}));
    f.push_back(number("gz.angle", "m_gz/m_dSlope", K::real, "degrees", angle, std::nullopt,
                       {{overall, "m_slope", "侧边线夹角(度)"}, {construction, "m_slope", "侧边线夹角(度)"},
                        {single_sheet, "", "斜交角(°)"}, {parametric_sheet, "", "斜交角(°)", true}}));
    f.push_back(number("gz.count", "m_gz/m_iCount", K::whole, "pedestals", count, count,
                       {{overall, "m_DS_count", "垫石个数"}, {construction, "m_iCount", "垫石个数"},
                        {single_sheet, "", "垫石个数"}, {parametric_sheet, "", "垫石个数", true}}));
    f.push_back(choice("gz.position", "m_gz/strPos", {"", "小桩号侧", "大桩号侧"},
                       {{single_sheet, "", "垫石位置"}, {parametric_sheet, "", "垫石位置", true}}));
    f.push_back(text("pedestal_number", "m_drawSet/m_DS_number", max_name_chars,
                     {{pedestal_settings, "m_DS_number", "垫石编号"}, {single_sheet, "", "垫石编号"},
                      {parametric_sheet, "", "垫石编号"}}));
    f.push_back(text("supporting_type", "m_drawSet/m_strMergeNum", max_name_chars,
                     {{param_settings, "m_merge_name", "支承墩台类型"}}));
}

void add_settings_fields(std::vector<field>& f)
{
    using K = field_kind;
    auto identity = [](const char* key, const char* caption) {
        return std::vector<place>{{common_settings, key, caption}, {single_sheet, "", caption}, {parametric_sheet, "", caption}};
    };
    f.push_back(choice("settings.structure_type", "com_drawset/m_strCompType", {"", "桥墩", "桥台"},
                       identity("m_strCompType", "所属墩台类型")));
    f.push_back(text("settings.bridge_part", "com_drawset/m_strQF", max_name_chars, identity("m_strQF", "桥幅"), true));
    f.push_back(number("settings.structure_number", "com_drawset/m_iPierNum", K::whole, "", structure_number, std::nullopt,
                       identity("m_iPierNum", "墩台号")));
    f.push_back(number("settings.scale", "com_drawset/m_iScale", K::whole, "", scale, std::nullopt,
                       settings_places("m_iScale", "比例")));
    f.push_back(choice("settings.concrete", "com_drawset/m_strConcreteType", {"C30", "C35", "C40", "C45", "C50"},
                       settings_places("m_strConcreteType", "混凝土类型")));
    f.push_back(text("settings.note", "com_drawset/m_strCustomNote", max_note_chars,
                     settings_places("m_strCustomNote", "自定义附注"), false, true));
    std::vector<place> cover = settings_places("m_dCover", "保护层厚度(mm)");
    cover.resize(4);  // the sheets have no cover row
    f.push_back(number("settings.cover", "com_drawset/m_dCover", K::real, "mm", size_or_unset, magnitude, cover));
    f.push_back(text("note_item.title", "m_custom_note_items/item_key", max_name_chars, {}));
    f.push_back(text("note_item.text", "m_custom_note_items/item_value", max_note_chars, {}, false, true));
    f.push_back(labelled(text("merge.structure_type", "m_merge_infos/item/m_strType", max_name_chars, {}), "墩台类型"));
    f.push_back(labelled(text("merge.bridge_part", "m_merge_infos/item/m_strQF", max_name_chars, {}), "桥幅"));
    f.push_back(labelled(text("merge.structure_numbers", "m_merge_infos/item/m_strPierNums", max_path_chars, {}), "墩台号"));
    f.push_back(labelled(text("merge.rows", "m_merge_infos/item/m_strRows", max_path_chars, {}), "垫石排号"));
    f.push_back(labelled(text("merge.numbers", "m_merge_infos/item/m_strNums", max_path_chars, {}), "垫石编号"));
}

void add_rebar_fields(std::vector<field>& f)
{
    using K = field_kind;
    f.push_back(text("bar.mark", "m_bars/item/m_mark", max_name_chars, {{rebar, "m_mark", "编号"}}));
    f.push_back(number("bar.diameter", "m_bars/item/m_diameter", K::real, "mm", diameter, stored_diameter,
                       {{rebar, "m_diameter", "直径(mm)"}}));
    f.push_back(text("bar.grade", "m_bars/item/m_grade", max_name_chars, {{rebar, "m_grade", "钢筋等级"}}));
    f.push_back(number("bar.count", "m_bars/item/m_count", K::whole, "bars", bars, bars, {{rebar, "m_count", "根数"}}));
    f.push_back(number("bar.spacing", "m_bars/item/m_spacing", K::real, "mm", size_or_unset, magnitude,
                       {{rebar, "m_spacing", "间距(mm)"}}));
    f.push_back(text("bar.shape", "m_bars/item/m_shape", max_name_chars, {{rebar, "m_shape", "形状"}}));
    f.push_back(text("bar.part", "m_bars/item/m_part", max_name_chars, {{rebar, "m_part", "所属部位"}}));
}

void add_parametric_fields(std::vector<field>& f)
{
    using K = field_kind;
    f.push_back(text("list.height_name", "m_csh_name/m_strH", max_name_chars,
                     {{param_name, "m_H", "高度名称"}, {parametric_sheet, "", "高度名称"}}));
    f.push_back(choice("row.structure_type", "m_csh_data/item/m_Type", structure_types(), {{param_list, "m_Type", "墩台类型"}}));
    f.push_back(text("row.bridge_part", "m_csh_data/item/m_strQF", max_name_chars,
                     {{param_list, "m_strQF", "桥幅"}, {parametric_sheet_list, "", "桥幅"}}, true));
    f.push_back(number("row.structure_number", "m_csh_data/item/m_iNum", K::whole, "", structure_number, std::nullopt,
                       {{param_list, "m_iN", "墩台号"}, {parametric_sheet_list, "", "墩台号"}}));
    f.push_back(number("row.count", "m_csh_data/item/m_iCount", K::whole, "pedestals", count, count,
                       {{param_list, "m_iCount", "垫石个数"}, {parametric_sheet_list, "", "个数"}}));
    f.push_back(text("row.kind", "m_csh_data/item/m_strType", max_name_chars, {{param_list, "m_type", "垫石类型"}}));
    f.push_back(heights("row.heights", "m_csh_data/item/m_strH", row_height_separators,
                        {{param_list, "m_strH", "垫石高度(mm)"}, {parametric_sheet_list, "", "高度(mm)"}}));
    f.push_back(number("row.width", "m_csh_data/item/m_dWid", K::real, "mm", size, magnitude,
                       {{param_list, "m_dWid", "横桥向宽度(mm)"}}));
    f.push_back(number("row.length", "m_csh_data/item/m_dLen", K::real, "mm", size, magnitude,
                       {{param_list, "m_dLen", "顺桥向长度(mm)"}}));
    f.push_back(number("row.angle", "m_csh_data/item/m_dAngle", K::real, "degrees", angle, std::nullopt,
                       {{param_list, "m_dAngle", "斜交角(度)"}}));
    f.push_back(labelled(choice("row.position", "m_csh_data/item/m_strPos", {"", "小桩号侧", "大桩号侧"}, {}), "垫石位置"));
}

// Pedestals of the host's pier and abutment drawings, which a reference copies
// into a pedestal drawing: their limits hold at load like the drawings' own.
// The structure table shows a structure one pedestal row a line: the sizes and
// the angle of that row's pedestals, and the structure's cover and note.
void add_structure_fields(std::vector<field>& f)
{
    using K = field_kind;
    auto table = [](const char* caption) { return std::vector<place>{{structure_sheet, "", caption}}; };
    f.push_back(number("structure.pedestals", "m_pedestals/count", K::whole, "pedestals", count, count, {}));
    f.push_back(number("structure.position", "m_pedestals/item/m_dPos", K::real, "mm", magnitude, magnitude, {}));
    f.push_back(number("structure.angle", "m_pedestals/item/m_dAngle", K::real, "degrees", angle, std::nullopt,
                       table("侧边线夹角(度)")));
    f.push_back(number("structure.width", "m_pedestals/item/m_dWidth", K::real, "mm", size, magnitude,
                       table("横桥向宽度(mm)")));
    f.push_back(number("structure.length", "m_pedestals/item/m_dLength", K::real, "mm", size, magnitude,
                       table("顺桥向长度(mm)")));
    f.push_back(number("structure.height", "m_pedestals/item/m_dHeight", K::real, "mm", size, magnitude, {}));
    f.push_back(number("structure.cover", "substructure_graph_data/cover", K::real, "mm", size_or_unset, magnitude,
                       table("保护层厚度(mm)")));
    f.push_back(text("structure.note", "substructure_graph_data/custom_note", max_note_chars, table("自定义附注"), false,
                     true));
}

// Columns of the structure table that no one stored member holds as the table
// shows it: the identity and settings the drawing keeps in its base part, and
// a pedestal row's number, distance from the axis, count and heights, which the
// drawing keeps per pedestal.
void add_structure_table_fields(std::vector<field>& f)
{
    using K = field_kind;
    auto table = [](const char* caption) { return std::vector<place>{{structure_sheet, "", caption}}; };
    const number_range row{1, 2};
    const number_range row_count{1, double(input_limits::max_pedestals_per_row)};
    const number_range distance{0, input_limits::max_size_mm};
    f.push_back(text("structure.bridge_part", "", max_name_chars, table("桥幅"), true));
    f.push_back(number("structure.number", "", K::whole, "", structure_number, std::nullopt, table("墩台号")));
    f.push_back(choice("structure.type", "",
                       {"柱式墩", "盖梁柱式墩", "花瓶墩", "墙式墩", "桩柱台", "肋板台", "墙式台", "座板台", "板凳台", "扶壁台"},
                       table("墩台类型")));
    f.push_back(choice("structure.concrete", "", {"C30", "C35", "C40", "C45", "C50"}, table("混凝土类型")));
    f.push_back(number("structure.scale", "", K::whole, "", scale, std::nullopt, table("比例")));
    f.push_back(number("structure.row", "", K::whole, "", row, std::nullopt, table("垫石排号")));
    f.push_back(number("structure.row_position", "", K::real, "mm", distance, std::nullopt, table("排位置(mm)")));
    f.push_back(number("structure.row_count", "", K::whole, "pedestals", row_count, std::nullopt, table("垫石个数")));
    f.push_back(heights("structure.heights", "", row_height_separators, table("垫石高度(mm)")));
}

}  // namespace

const std::vector<field>& all_fields()
{
    static const std::vector<field> fields = [] {
        std::vector<field> f;
        add_single_fields(f);
        add_settings_fields(f);
        add_rebar_fields(f);
        add_parametric_fields(f);
        add_structure_fields(f);
        add_structure_table_fields(f);
        return f;
    }();
    return fields;
}

}  // namespace field_catalogue
