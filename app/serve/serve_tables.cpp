// Grid tables of a drawing as JSON for the local server's page.
#include "app/serve/serve_tables.h"

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

#include "app/core/project/runtime_objects.h"
#include "host/grid/cvq_data_base.h"
#include "host/fields/field_catalogue.h"
#include "host/grid/table_templates.h"
#include "host/text/number_format.h"
#include "host/text/encoding.h"
#include "host/ui_base/graph_grid_ui_observer_base.h"

namespace ds_app {

namespace {

using nlohmann::json;

std::string utf8(const CString& text) { return ds_text::to_utf8_for_display(text); }

const char* kind_name(CVQVariant::value_kind kind)
{
    switch (kind) {
    case CVQVariant::value_kind::text: return "text";
    case CVQVariant::value_kind::integer: return "integer";
    case CVQVariant::value_kind::real: return "real";
    case CVQVariant::value_kind::empty: break;
    }
    return "empty";
}

/// The unit a caption names in brackets, "横桥向宽度(mm)" -> "mm".
std::string unit_of(const std::string& caption)
{
    const auto open = caption.rfind('(');
    if (open == std::string::npos || caption.empty() || caption.back() != ')') return {};
    return caption.substr(open + 1, caption.size() - open - 2);
}

const char* catalogue_kind(field_catalogue::field_kind kind)
{
    switch (kind) {
    case field_catalogue::field_kind::whole: return "integer";
    case field_catalogue::field_kind::real: return "real";
    case field_catalogue::field_kind::choice: return "choice";
    case field_catalogue::field_kind::heights: return "heights";
    case field_catalogue::field_kind::text: break;
    }
    return "text";
}


/// A column or property: key, caption, unit, choices and the kind of its cells;
/// the field catalogue's description where it has one for the cell.
json column_json(const CString& edit_name, const CVQDataBase& table, const CString& key, CVQVariant::value_kind kind)
{
    json column{{"key", utf8(key)}, {"caption", utf8(table.get_caption(key))}, {"kind", kind_name(kind)}};
    if (const std::string unit = unit_of(column["caption"]); !unit.empty()) column["unit"] = unit;
    const CString list = table.get_choice_list(key);
    if (const std::vector<CString>* choices = list.IsEmpty() ? nullptr : table.get_env_variable(list)) {
        json names = json::array();
        for (const CString& choice : *choices) names.push_back(utf8(choice));
        column["choices"] = names;
    }
    const field_catalogue::field* f = field_catalogue::find(edit_name, key);
    if (!f) f = field_catalogue::find(table.get_table_name(), key);
    // A choice list the observer publishes (the drawings a reference may name) outranks the catalogue's.
    if (f && !(f->kind == field_catalogue::field_kind::choice && column.contains("choices"))) add_catalogue(column, *f);
    if (f && f->places.size() && std::any_of(f->places.begin(), f->places.end(), [&](const field_catalogue::place& p) {
            return key == p.key && p.read_only;
        }))
        column["read_only"] = true;
    return column;
}

/// A number as the catalogue writes it: each piece of a height list (or the
/// one number of a number cell) that reads whole as a number in its shortest
/// form; anything else as it stands.
std::string shown_value(const json& column, const std::string& text)
{
    const std::string kind = column.value("kind", "");
    if (kind != "heights" && kind != "real" && kind != "integer") return text;
    const std::string separators = kind == "heights" ? column.value("separators", std::string(",")) : std::string();
    std::string shown;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = separators.empty() ? std::string::npos : text.find_first_of(separators, start);
        const std::string piece = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        char* stop = nullptr;
        const double value = piece.empty() ? 0 : std::strtod(piece.c_str(), &stop);
        shown += !piece.empty() && stop && *stop == '\0' && piece.find_first_of("eExX") == std::string::npos
                     ? number_format::shortest(value)
                     : piece;
        if (end == std::string::npos) return shown;
        shown += text[end];
        start = end + 1;
    }
}

/// Marks the cells of property tables whose key a later property table of the grid also carries.
void mark_overridden(json& templates)
{
    std::vector<json*> tables;
    for (auto& group : templates)
        for (auto& t : group["tables"])
            if (!t["list"].get<bool>()) tables.push_back(&t);
    for (std::size_t i = 0; i < tables.size(); ++i)
        for (auto& cell : (*tables[i])["cells"])
            for (std::size_t later = i + 1; later < tables.size(); ++later) {
                const auto& others = (*tables[later])["cells"];
                if (std::none_of(others.begin(), others.end(), [&](const json& c) { return c["key"] == cell["key"]; }))
                    continue;
                cell["read_only"] = true;
                cell["reason"] = "the table " + (*tables[later])["name"].get<std::string>() +
                                 " also carries this setting and the observer keeps that table's value: edit it there";
                break;
            }
}

CVQVariant::value_kind column_kind(const CVQDataBase& table, const CString& key)
{
    for (int r = 0; r < table.GetNumberRows(); ++r)
        if (const CVQVariant* cell = table.get_prop_cell(r, key); cell && !cell->is_empty()) return cell->kind();
    return CVQVariant::value_kind::empty;
}

json table_json(const CString& edit_name, const CVQDataBase& table)
{
    json out{{"name", utf8(edit_name)}, {"title", utf8(table.get_table_name())}, {"list", table.is_list()}};
    json sections = json::array();
    for (const CString& s : table.get_sections()) sections.push_back(utf8(s));
    out["sections"] = sections;
    if (!table.is_list()) {
        json cells = json::array();
        for (const CString& key : table.get_keys()) {
            const CVQVariant* cell = table.get_prop_cell(key);
            json c = column_json(edit_name, table, key, cell ? cell->kind() : CVQVariant::value_kind::empty);
            c["value"] = shown_value(c, cell ? utf8(cell->text()) : "");
            cells.push_back(c);
        }
        out["cells"] = cells;
        return out;
    }
    json columns = json::array();
    for (const CString& key : table.get_keys()) columns.push_back(column_json(edit_name, table, key, column_kind(table, key)));
    json rows = json::array();
    for (int r = 0; r < table.GetNumberRows(); ++r) {
        json row = json::array();
        std::size_t column = 0;
        for (const CString& key : table.get_keys()) {
            const CVQVariant* cell = table.get_prop_cell(r, key);
            row.push_back(shown_value(columns[column++], cell ? utf8(cell->text()) : ""));
        }
        rows.push_back(row);
    }
    out["columns"] = columns;
    out["rows"] = rows;
    return out;
}

/// The observer publishes some choice lists only when their cell gets the
/// focus (the drawings a reference cell may name): focus each such cell once.
void publish_choices(graph_grid_ui_observer_base& observer, CVQDataBase& table)
{
    if (table.is_list()) return;
    for (const CString& key : table.get_keys()) {
        if (table.get_choice_list(key).IsEmpty()) continue;
        NM_VQGRID notify{table.find_row_by_tag(key), table.column_of(key)};
        observer.on_cell_focus_changed(&table, &notify);
    }
}

}  // namespace

json grid_tables_json(graph_data_base& drawing, grid_mode mode)
{
    auto observer = create_object<graph_grid_ui_observer_base>(observer_class(mode), "grid observer");
    observer->set_data_node_tag(drawing.get_node_tag());
    table_template_list templates;
    observer->get_table_template_names(templates);
    std::vector<std::unique_ptr<CVQDataBase>> owned;
    table_map tables;
    for (const auto& [template_name, names] : templates)
        for (const CString& name : names) {
            if (tables.count(name)) continue;
            owned.emplace_back(table_templates::create_data_base(name));
            tables[name] = owned.back().get();
        }
    observer->load_data_to_ui(tables);

    json out{{"mode", mode == grid_mode::common ? "common" : mode == grid_mode::advanced ? "advanced" : "parametric"}};
    json shown = json::array();
    std::set<CString> done;
    for (const auto& [template_name, names] : templates) {
        json group{{"name", utf8(template_name)}, {"tables", json::array()}};
        for (const CString& name : names) {
            CVQDataBase* table = tables[name];
            if (!table || !done.insert(name).second) continue;
            publish_choices(*observer, *table);
            group["tables"].push_back(table_json(name, *table));
        }
        shown.push_back(group);
    }
    mark_overridden(shown);
    out["templates"] = shown;
    return out;
}

namespace {

/// The table without its values: what must be the same for a patch to do.
json shape_of(const json& table)
{
    json shape = table;
    shape.erase("rows");
    if (shape.contains("cells"))
        for (auto& cell : shape["cells"]) cell.erase("value");
    return shape;
}

/// One table's changes, or an empty object when it has none.
json table_patch(const json& before, const json& after)
{
    json patch{{"name", after["name"]}};
    if (!after["list"].get<bool>()) {
        json cells = json::object();
        for (std::size_t i = 0; i < after["cells"].size(); ++i)
            if (before["cells"][i]["value"] != after["cells"][i]["value"])
                cells[after["cells"][i]["key"].get<std::string>()] = after["cells"][i]["value"];
        if (cells.empty()) return json::object();
        patch["cells"] = std::move(cells);
        return patch;
    }
    const json& old_rows = before["rows"];
    const json& new_rows = after["rows"];
    json rows = json::object();
    for (std::size_t r = 0; r < new_rows.size(); ++r)
        if (r >= old_rows.size() || old_rows[r] != new_rows[r]) rows[std::to_string(r)] = new_rows[r];
    if (rows.empty() && old_rows.size() == new_rows.size()) return json::object();
    patch["count"] = new_rows.size();
    patch["rows"] = std::move(rows);
    return patch;
}

}  // namespace

json tables_patch(const json& before, const json& after)
{
    if (before["mode"] != after["mode"] || before["templates"].size() != after["templates"].size()) return nullptr;
    json patch = json::array();
    for (std::size_t g = 0; g < after["templates"].size(); ++g) {
        const json& old_tables = before["templates"][g]["tables"];
        const json& new_tables = after["templates"][g]["tables"];
        if (old_tables.size() != new_tables.size()) return nullptr;
        for (std::size_t t = 0; t < new_tables.size(); ++t) {
            if (shape_of(old_tables[t]) != shape_of(new_tables[t])) return nullptr;
            json one = table_patch(old_tables[t], new_tables[t]);
            if (!one.empty()) patch.push_back(std::move(one));
        }
    }
    return patch;
}

void add_catalogue(json& column, const field_catalogue::field& f)
{
    column["kind"] = catalogue_kind(f.kind);
    column["limits"] = field_catalogue::limits_text(f);
    if (*f.unit) column["unit"] = f.unit;
    if (f.kind == field_catalogue::field_kind::whole || f.kind == field_catalogue::field_kind::real ||
        f.kind == field_catalogue::field_kind::heights)
        column["range"] = {{"min", f.range.min}, {"max", f.range.max}, {"min_open", f.range.min_open},
                           {"max_open", f.range.max_open}, {"zero_unset", f.range.zero_unset}};
    if (f.kind == field_catalogue::field_kind::choice) {
        json names = json::array();
        for (const char* choice : f.choices) names.push_back(utf8(CString(choice)));
        column["choices"] = names;
    }
    if (f.max_chars) column["max_chars"] = f.max_chars;
    if (f.multi_line) column["multi_line"] = true;
    if (*f.separators) column["separators"] = utf8(CString(f.separators));
    if (f.kind == field_catalogue::field_kind::text && f.required) column["required"] = true;
}

}  // namespace ds_app
