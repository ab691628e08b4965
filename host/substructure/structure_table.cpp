// The structure table's cells as written, and the way between a structure and
// its pier or abutment drawing.
#include "host/substructure/structure_table.h"

#include <algorithm>
#include <map>

#include "host/framework/string_tools.h"
#include "host/substructure/common_refrence_tools.h"
#include "host/substructure/structure_columns.h"
#include "host/text/encoding.h"
#include "host/text/number_format.h"

namespace structure_table {

namespace {

/// " → " in UTF-8: the difference lines are UTF-8, and plain literals are narrow.
const std::string arrow = reinterpret_cast<const char*>(u8" → ");

CString number_text(double value) { return CString(number_format::shortest(value).c_str()); }

CString heights_text(const std::vector<double>& heights)
{
    CString text;
    for (std::size_t i = 0; i < heights.size(); ++i) text += (i ? "," : "") + number_text(heights[i]);
    return text;
}

/// The cells of one line, in column order.
std::vector<CString> line_cells(const table_row& row)
{
    std::vector<CString> cells(column_count);
    cells[col_part] = row.bridge_part;
    cells[col_number] = string_tools::num_to_string(row.number);
    cells[col_type] = row.type_name;
    cells[col_concrete] = row.concrete;
    cells[col_scale] = string_tools::num_to_string(row.scale);
    cells[col_cover] = number_text(row.cover);
    cells[col_row] = string_tools::num_to_string(row.row);
    cells[col_position] = number_text(row.position);
    cells[col_count] = string_tools::num_to_string(row.count);
    cells[col_width] = number_text(row.width);
    cells[col_length] = number_text(row.length);
    cells[col_heights] = heights_text(row.heights);
    cells[col_angle] = number_text(row.angle);
    cells[col_note] = row.note;
    return cells;
}

/// One row of a drawing's pedestals (in drawing order), checked to fit one line.
table_row row_of(const xbjg_graph_data_base& drawing, int number, const std::vector<ds_gz_data>& pedestals)
{
    const ds_gz_data& first = pedestals.front();
    for (const ds_gz_data& p : pedestals)
        if (p.m_dPos != first.m_dPos || p.m_dWidth != first.m_dWidth || p.m_dLength != first.m_dLength ||
            p.m_dAngle != first.m_dAngle)
            throw table_error("the pedestals of row " + std::to_string(number) + " of " +
                              ds_text::to_utf8(structure_name(key_of(drawing))) +
                              " differ in position, width, length or angle; one line of the structure table cannot "
                              "hold them (give the row's pedestals one position and size)");
    const xbjg_substructure_info& info = drawing.substructure_info();
    table_row row;
    row.bridge_part = info.bridge_part;
    row.number = info.number;
    row.type_name = info.type_name;
    row.concrete = info.concrete_type;
    row.scale = info.scale;
    row.cover = info.cover;
    row.row = number;
    row.position = 0.0 - (number == 1 ? first.m_dPos : -first.m_dPos);  // 0.0 - x: never "-0"
    row.count = static_cast<int>(pedestals.size());
    row.width = first.m_dWidth;
    row.length = first.m_dLength;
    for (const ds_gz_data& p : pedestals) row.heights.push_back(p.m_dHeight);
    if (std::all_of(row.heights.begin(), row.heights.end(), [&](double h) { return h == row.heights.front(); }))
        row.heights.resize(1);
    row.angle = first.m_dAngle;
    row.note = info.custom_note;
    return row;
}

std::string utf8(const CString& text) { return ds_text::to_utf8_for_display(text); }

std::string heights_shown(const std::vector<double>& heights) { return utf8(heights_text(heights)); }

/// Lines for each differing field of one row, "caption 第N排: old → new".
void row_changes(const table_row& a, const table_row& b, std::vector<std::string>& lines)
{
    const std::string where = " " + ds_text::to_utf8(CString("第")) + std::to_string(b.row) + ds_text::to_utf8(CString("排")) + ": ";
    const auto line = [&](std::size_t column, const std::string& old_value, const std::string& new_value) {
        if (old_value != new_value) lines.push_back(utf8(column_caption(column)) + where + old_value + arrow + new_value);
    };
    line(col_position, number_format::shortest(a.position), number_format::shortest(b.position));
    line(col_count, std::to_string(a.count), std::to_string(b.count));
    line(col_width, number_format::shortest(a.width), number_format::shortest(b.width));
    line(col_length, number_format::shortest(a.length), number_format::shortest(b.length));
    line(col_heights, heights_shown(a.heights), heights_shown(b.heights));
    line(col_angle, number_format::shortest(a.angle), number_format::shortest(b.angle));
}

/// Lines for the shared settings, then for each row.
std::vector<std::string> structure_changes(const structure& a, const structure& b)
{
    std::vector<std::string> lines;
    const auto line = [&](std::size_t column, const std::string& old_value, const std::string& new_value) {
        if (old_value != new_value) lines.push_back(utf8(column_caption(column)) + ": " + old_value + arrow + new_value);
    };
    const table_row &sa = a.settings(), &sb = b.settings();
    line(col_type, utf8(sa.type_name), utf8(sb.type_name));
    line(col_concrete, utf8(sa.concrete), utf8(sb.concrete));
    line(col_scale, std::to_string(sa.scale), std::to_string(sb.scale));
    line(col_cover, number_format::shortest(sa.cover), number_format::shortest(sb.cover));
    line(col_note, utf8(sa.note), utf8(sb.note));
    for (int number : {1, 2}) {
        const auto find = [number](const structure& s) {
            const auto it = std::find_if(s.rows.begin(), s.rows.end(), [number](const table_row& r) { return r.row == number; });
            return it == s.rows.end() ? nullptr : &*it;
        };
        const table_row *ra = find(a), *rb = find(b);
        const std::string row_name = ds_text::to_utf8(CString("第")) + std::to_string(number) + ds_text::to_utf8(CString("排"));
        if (ra && rb) row_changes(*ra, *rb, lines);
        else if (rb) lines.push_back(row_name + ": added, " + std::to_string(rb->count) + " pedestal(s)");
        else if (ra) lines.push_back(row_name + ": removed, " + std::to_string(ra->count) + " pedestal(s)");
    }
    return lines;
}

}  // namespace

bool is_abutment_type(const CString& type_name)
{
    const auto& abutments = common_refrence_tools::abutment_type_names();
    return std::find(abutments.begin(), abutments.end(), type_name) != abutments.end();
}

CString structure_name(const structure_key& key)
{
    return key.bridge_part + string_tools::num_to_string(key.number) + (key.abutment ? "号台" : "号墩");
}

structure_key key_of(const xbjg_graph_data_base& drawing)
{
    const xbjg_substructure_info& info = drawing.substructure_info();
    return {info.bridge_part, info.number, drawing.Get_Type() != 0};
}

const std::vector<CString>& column_captions()
{
    static const std::vector<CString> captions = [] {
        std::vector<CString> out;
        for (std::size_t c = 0; c < column_count; ++c) out.push_back(column_caption(c));
        return out;
    }();
    return captions;
}

std::vector<CString> identity_row() { return {"# 图名", "墩台表"}; }

ds_spreadsheet::table to_cells(const std::vector<structure>& structures)
{
    ds_spreadsheet::table cells;
    cells.reserve(2 + structures.size() * 2);
    cells.push_back(identity_row());
    cells.push_back(column_captions());
    for (const structure& s : structures)
        for (const table_row& row : s.rows) cells.push_back(line_cells(row));
    return cells;
}

structure structure_of(const xbjg_graph_data_base& drawing)
{
    std::vector<ds_gz_data> pedestals;
    drawing.Get_DS(pedestals);
    std::vector<ds_gz_data> sides[2];
    for (const ds_gz_data& p : pedestals) sides[p.m_dPos > 0.0 ? 1 : 0].push_back(p);
    structure s{key_of(drawing), {}};
    for (int side = 0; side < 2; ++side)
        if (!sides[side].empty()) s.rows.push_back(row_of(drawing, side + 1, sides[side]));
    if (s.rows.empty())
        throw table_error(ds_text::to_utf8(structure_name(s.key)) + " has no pedestals; the structure table has no line for it");
    return s;
}

std::vector<ds_gz_data> pedestals_of(const structure& s)
{
    std::vector<ds_gz_data> pedestals;
    for (const table_row& row : s.rows) {
        const double position = row.row == 1 ? 0.0 - row.position : row.position;
        for (int i = 0; i < row.count; ++i) {
            const double height = row.heights.size() == 1 ? row.heights.front() : row.heights[static_cast<std::size_t>(i)];
            pedestals.push_back({position, row.angle, row.width, row.length, height});
        }
    }
    return pedestals;
}

std::unique_ptr<substructure_graph_data> make_drawing(const structure& s)
{
    const table_row& settings = s.settings();
    auto drawing = make_substructure_drawing(s.key.abutment ? substructure_abutment : substructure_pier, settings.type_name,
                                             s.key.bridge_part, s.key.number, settings.concrete, settings.scale,
                                             pedestals_of(s));
    apply(s, *drawing);
    drawing->set_node_name(structure_name(s.key));
    return drawing;
}

void apply(const structure& s, substructure_graph_data& drawing)
{
    const table_row& settings = s.settings();
    xbjg_substructure_info info = drawing.substructure_info();
    info.type_name = settings.type_name;
    info.bridge_part = s.key.bridge_part;
    info.number = s.key.number;
    info.concrete_type = settings.concrete;
    info.scale = settings.scale;
    info.cover = settings.cover;
    info.custom_note = settings.note;
    drawing.set_substructure_info(info);
    drawing.set_pedestals(pedestals_of(s));
}

std::vector<structure_change> differences(const std::vector<structure>& before, const std::vector<structure>& after)
{
    std::map<structure_key, const structure*> old_by_key;
    for (const structure& s : before) old_by_key.emplace(s.key, &s);
    std::map<structure_key, bool> present;
    std::vector<structure_change> changes;
    for (const structure& s : after) {
        present[s.key] = true;
        const auto it = old_by_key.find(s.key);
        if (it == old_by_key.end()) {
            std::vector<std::string> lines;
            for (const table_row& row : s.rows)
                lines.push_back(ds_text::to_utf8(CString("第")) + std::to_string(row.row) + ds_text::to_utf8(CString("排")) +
                                ": " + std::to_string(row.count) + " pedestal(s)");
            changes.push_back({structure_change::kind::added, s.key, std::move(lines)});
        } else if (!(*it->second == s)) {
            changes.push_back({structure_change::kind::changed, s.key, structure_changes(*it->second, s)});
        }
    }
    for (const structure& s : before)
        if (!present.count(s.key)) changes.push_back({structure_change::kind::removed, s.key, {}});
    return changes;
}

}  // namespace structure_table
