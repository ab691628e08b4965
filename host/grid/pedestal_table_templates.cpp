// Built-in sample tables of the pedestal drawing type. Which rows a table has
// and in what order is the template's; every caption and choice list is the
// field catalogue's, so a grid shows a field as the sheets and messages name it.
#include "host/grid/pedestal_table_templates.h"

#include "host/fields/field_catalogue.h"

namespace {

using table_ptr = std::unique_ptr<CVQDataBase>;
namespace tables = field_catalogue::tables;

table_ptr property_table(const char* name)
{
    return std::make_unique<CVQDataBase>(grid_table_kind::property, CString(name));
}

/// The row `key` of a property table, captioned as the catalogue places it there.
void add_row(CVQDataBase& table, const char* key, const CString& choice_list = CString())
{
    table.add_property(key, field_catalogue::caption_at(table.get_table_name().str(), key), choice_list);
}

// Geometry rows shared by the overall and the construction table.
void add_geometry_rows(CVQDataBase& table)
{
    add_row(table, "m_dWidth");
    add_row(table, "m_dLenth");
    add_row(table, "m_dHeight");
    add_row(table, "m_slope");
}

table_ptr overall_table()
{
    table_ptr table = property_table(tables::overall);
    add_row(*table, "m_GetType", pedestal_table_templates::input_mode_choices_name);
    add_row(*table, "m_Ref_path", "Exist_Graph_Names");
    add_row(*table, "m_Num", "DS_Num");
    add_geometry_rows(*table);
    add_row(*table, "m_DS_count");
    table->SetEnvVariable(pedestal_table_templates::input_mode_choices_name,
                          field_catalogue::choices_at(tables::overall, "m_GetType"), false);
    return table;
}

table_ptr construction_table()
{
    table_ptr table = property_table(tables::construction);
    add_geometry_rows(*table);
    add_row(*table, "m_iCount");
    return table;
}

table_ptr drawing_settings_table()
{
    table_ptr table = property_table(tables::pedestal_settings);
    add_row(*table, "m_DS_number");
    return table;
}

table_ptr parametric_settings_table()
{
    table_ptr table = property_table(tables::param_settings);
    add_row(*table, "m_merge_name");
    return table;
}

table_ptr parametric_name_table()
{
    table_ptr table = property_table(tables::param_name);
    add_row(*table, "m_H");
    return table;
}

table_ptr parametric_list_table()
{
    auto table = std::make_unique<CVQDataBase>(grid_table_kind::list, CString(tables::param_list));
    table->set_header_rows(1);
    for (const char* key : {"m_Type", "m_strQF", "m_iN", "m_iCount", "m_type", "m_strH", "m_dWid", "m_dLen", "m_dAngle"})
        table->add_column(key, field_catalogue::caption_at(tables::param_list, key));
    // One blank row to type into, as a new list shows.
    table->InsertRowPost(table->GetFixedRowCount() - 1, 1, CString(), CString());
    return table;
}

}  // namespace

namespace pedestal_table_templates {

std::vector<std::unique_ptr<CVQDataBase>> build_all()
{
    std::vector<table_ptr> tables;
    tables.push_back(overall_table());
    tables.push_back(construction_table());
    tables.push_back(drawing_settings_table());
    tables.push_back(parametric_settings_table());
    tables.push_back(parametric_name_table());
    tables.push_back(parametric_list_table());
    return tables;
}

}  // namespace pedestal_table_templates
