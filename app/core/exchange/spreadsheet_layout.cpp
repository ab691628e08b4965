// The XLSX sheet of a drawing's table, read off the field catalogue: a check
// and a comment for every editable row or list column, read-only cells
// locked, the list's header frozen with a filter, and a page set up to print.
#include "app/core/exchange/spreadsheet_layout.h"

#include <algorithm>
#include <cstring>

#include "app/core/project/shown_text.h"
#include "app/core/project/runtime_objects.h"
#include "app/core/exchange/spreadsheet_cells.h"
#include "host/fields/field_catalogue.h"
#include "host/text/encoding.h"

namespace ds_app {

namespace {

namespace fc = field_catalogue;
using ds_spreadsheet::cell_ref;

/// Rows a list may grow to in a spreadsheet program that still get the list's checks.
constexpr std::size_t list_rows_checked = 1000;

/// The field a sheet row (or a list column, `sheet` being the list's) shows, and whether the import reads it.
const fc::field* sheet_field(const char* sheet, const CString& caption, bool& read_only)
{
    for (const fc::field& f : fc::all_fields())
        for (const fc::place& p : f.places)
            if (std::strcmp(p.table, sheet) == 0 && caption == p.caption) {
                read_only = p.read_only;
                return &f;
            }
    return nullptr;
}

std::string comment_of(const fc::field& f) { return utf8_literal(u8"可填：") + fc::limits_text(f); }

/// The check a spreadsheet program makes on cells of field `f`, when it can make one.
std::optional<ds_spreadsheet::cell_validation> validation_of(const fc::field& f, ds_spreadsheet::cell_range cells)
{
    using kind = ds_spreadsheet::cell_validation::kind;
    ds_spreadsheet::cell_validation v{cells, kind::list, {}, 0.0, 0.0, fc::limits_text(f)};
    if (f.kind == fc::field_kind::choice) {
        for (const char* choice : f.choices)
            if (*choice) v.choices.emplace_back(choice);  // an empty cell is left to the import's check
        return v;
    }
    if (f.kind != fc::field_kind::whole && f.kind != fc::field_kind::real) return std::nullopt;
    v.type = f.kind == fc::field_kind::whole ? kind::whole : kind::decimal;
    v.minimum = f.range.zero_unset ? std::min(0.0, f.range.min) : f.range.min;
    v.maximum = f.range.max;
    return v;
}

class layout_builder {
public:
    layout_builder(const graph_data_base& drawing, const excel_table& table)
        : m_table(table), m_captions(caption_rows(table)),
          m_parametric(is_of_class(drawing, module_class::parametric_drawing)),
          m_sheet(m_parametric ? fc::parametric_sheet : fc::single_sheet)
    {
    }

    ds_spreadsheet::table_layout build(const std::string& sheet_name)
    {
        m_layout.sheet_name = sheet_name;
        m_layout.locked_cells = {{0, 0}, {0, 1}};
        const std::size_t header = m_parametric ? m_captions - 1 : 0;
        m_layout.header_rows = {header + 1};
        m_layout.frozen_rows = header + 2;
        for (const cell_ref& cell : number_cells(m_table)) m_layout.number_cells.push_back({cell.row + 1, cell.column});
        for (std::size_t r = 0; r < m_captions; ++r) {
            if (m_parametric && r == header) list_header(r);
            else if (r == header) header_row(r);
            else caption_row(r);
        }
        return std::move(m_layout);
    }

private:
    void header_row(std::size_t r)
    {
        for (std::size_t c = 0; c < m_table[r].size(); ++c) m_layout.locked_cells.push_back({r + 1, c});
    }

    /// A caption row: the caption locked; the value checked, or locked when the import ignores it.
    void caption_row(std::size_t r)
    {
        const std::size_t row = r + 1;
        for (std::size_t c = 0; c < m_table[r].size(); ++c)
            if (c != 1) m_layout.locked_cells.push_back({row, c});
        bool read_only = false;
        const fc::field* f = m_table[r].empty() ? nullptr : sheet_field(m_sheet, m_table[r][0], read_only);
        if (!f) return;
        if (read_only) {
            // Shown as the drawing exports it, so an unedited cell reads back as the same text.
            std::erase_if(m_layout.number_cells, [row](const cell_ref& cell) { return cell.row == row; });
            m_layout.locked_cells.push_back({row, 1});
            m_layout.comments.push_back({{row, 0}, utf8_literal(u8"只读：参数化图纸取列表各行的值，此处修改不起作用")});
            return;
        }
        m_layout.comments.push_back({{row, 0}, comment_of(*f)});
        if (auto v = validation_of(*f, {{row, 1}, {row, 1}})) m_layout.validations.push_back(std::move(*v));
        if (std::strcmp(f->name, "settings.scale") == 0) m_layout.number_formats.push_back({{row, 1}, "\"1:\"0"});
    }

    /// The list's header: captions locked and commented, each column checked
    /// and filtered down the rows a list may grow to, heights kept as text.
    void list_header(std::size_t r)
    {
        const std::size_t row = r + 1, last = row + list_rows_checked;
        const std::size_t columns = m_table[r].size();
        m_layout.autofilter = ds_spreadsheet::cell_range{{row, 0}, {std::max(row, m_table.size()), columns - 1}};
        for (std::size_t c = 0; c < columns; ++c) {
            m_layout.locked_cells.push_back({row, c});
            bool read_only = false;
            const fc::field* f = sheet_field(fc::parametric_sheet_list, m_table[r][c], read_only);
            if (!f) continue;
            m_layout.comments.push_back({{row, c}, comment_of(*f)});
            if (auto v = validation_of(*f, {{row + 1, c}, {last, c}})) m_layout.validations.push_back(std::move(*v));
            if (f->kind == fc::field_kind::heights) m_layout.text_columns.push_back(c);
        }
    }

    const excel_table& m_table;
    std::size_t m_captions;
    bool m_parametric;
    const char* m_sheet;
    ds_spreadsheet::table_layout m_layout;
};

}  // namespace

void undo_display_formats(excel_table& read, const excel_table& expected)
{
    const fc::field* scale = nullptr;
    for (const fc::field& f : fc::all_fields())
        if (std::strcmp(f.name, "settings.scale") == 0) scale = &f;
    for (std::size_t r = 0; scale && r < std::min(read.size(), expected.size()); ++r) {
        if (read[r].size() < 2 || expected[r].empty()) continue;
        bool caption_of_scale = false;
        for (const fc::place& p : scale->places) caption_of_scale |= expected[r][0] == p.caption;
        const std::string value = read[r][1].str();
        const std::size_t colon = value.find(':');
        if (caption_of_scale && colon != std::string::npos && value.find_first_not_of(" ") == value.find('1') &&
            value.find_first_not_of(" ", value.find('1') + 1) == colon)
            read[r][1] = CString(value.substr(colon + 1).c_str());
    }
}

excel_table table_with_drawing_row(const graph_data_base& drawing, const excel_table& table)
{
    excel_table out;
    out.reserve(table.size() + 1);
    out.push_back({drawing_row_caption, drawing.get_node_name()});
    out.insert(out.end(), table.begin(), table.end());
    return out;
}

std::optional<CString> drawing_named_by(const excel_table& read)
{
    if (read.empty() || read[0].empty() || read[0][0].str() != drawing_row_caption) return std::nullopt;
    return read[0].size() > 1 ? read[0][1] : CString();
}

std::string sheet_name_of(const graph_data_base& drawing)
{
    return ds_spreadsheet::sheet_name_for(ds_text::to_utf8_for_display(drawing.get_node_name()), utf8_literal(u8"垫石"));
}

ds_spreadsheet::table_layout layout_of(const graph_data_base& drawing, const excel_table& table, const std::string& sheet_name)
{
    return layout_builder(drawing, table).build(sheet_name);
}

}  // namespace ds_app
