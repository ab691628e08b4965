// Grid helpers and table templates of the shared substructure drawing settings.
#include "host/substructure/common_gj_drawset_grid_ui_data.h"

#include "host/afx/cobject.h"
#include "host/fields/field_catalogue.h"
#include "host/framework/common_string_tools.h"
#include "host/grid/cvq_data_base.h"
#include "host/grid/table_templates.h"
#include "host/substructure/common_drawset_fields.h"
#include "host/substructure/host_call_counter.h"
#include "host/substructure/substructure_graph_data.h"

namespace {

host_call_counter& envariable_type_calls()
{
    static host_call_counter counter;
    return counter;
}

bool class_derives_from(const CString& class_name, const CRuntimeClass* base)
{
    const CRuntimeClass* cls = CRuntimeClass::FromName(class_name);
    return cls && cls->IsDerivedFrom(base);
}

/// The row `key`, captioned as the field catalogue places it in the common settings table.
void add_row(CVQDataBase& table, const char* key, const CString& choice_list = CString())
{
    table.add_property(key, field_catalogue::caption_at(field_catalogue::tables::common_settings, key), choice_list);
}

void add_identity_rows(CVQDataBase& table)
{
    add_row(table, "m_strCompType", common_gj_drawset_grid_ui_data::type_choice_list);
    add_row(table, "m_strQF");
    add_row(table, "m_iPierNum");
}

void add_drawing_rows(CVQDataBase& table)
{
    add_row(table, "m_iScale");
    add_row(table, "m_strConcreteType", common_gj_drawset_grid_ui_data::concrete_choice_list);
    add_row(table, "m_dCover");
    add_row(table, "m_strCustomNote");
    table.SetEnvVariable(common_gj_drawset_grid_ui_data::concrete_choice_list,
                         field_catalogue::choices_at(field_catalogue::tables::common_settings, "m_strConcreteType"), false);
}

}  // namespace

CString common_gj_drawset_grid_ui_data::get_table_name(bool is_parameter_graph)
{
    return is_parameter_graph ? field_catalogue::tables::common_settings_param : field_catalogue::tables::common_settings;
}

std::vector<CString> common_gj_drawset_grid_ui_data::get_envariable_types(const CString& real_type_name)
{
    envariable_type_calls().hit();
    if (class_derives_from(real_type_name, RUNTIME_CLASS(QD_pier_graph_data))) return {"桥墩"};
    if (class_derives_from(real_type_name, RUNTIME_CLASS(QT_abutment_graph_data))) return {"桥台"};
    return {"桥墩", "桥台"};
}

void common_gj_drawset_grid_ui_data::set_type_envariable(CVQDataBase* table, const std::vector<CString>& types)
{
    if (table) table->SetEnvVariable(type_choice_list, types, false);
}

void common_gj_drawset_grid_ui_data::load_data(CVQDataBase* table, const common_gj_data_drawset& drawset)
{
    if (!table) return;
    common_drawset_fields::for_each_setting([&](const char* key, const char*, auto member) {
        if (table->has_key(key)) table->Set_Prop(key, CVQVariant(drawset.*member));
    });
}

void common_gj_drawset_grid_ui_data::save_data(CVQDataBase* table, common_gj_data_drawset& drawset)
{
    if (!table) return;
    common_drawset_fields::for_each_setting(
        [&](const char* key, const char*, auto member) { table->Get_Prop(key, drawset.*member); });
}

CString common_gj_drawset_grid_ui_data::standard_note(double cover)
{
    return "1.本图尺寸均以毫米计；2.钢筋净保护层厚度为" + DoubleToPierString(cover) + "mm。";
}

void common_gj_drawset_grid_ui_data::button_be_clicked(CVQDataBase* table, NM_VQGRID* notify)
{
    if (!table || !notify || table->GetRowTag(notify) != "m_strCustomNote") return;
    CString note;
    table->Get_Prop("m_strCustomNote", note);
    if (!note.IsEmpty()) return;
    double cover = 40.0;
    table->Get_Prop("m_dCover", cover);
    table->user_set_prop("m_strCustomNote", CVQVariant(standard_note(cover)));
}

void common_gj_drawset_grid_ui_data::register_table_templates()
{
    static bool registered = false;
    if (registered) return;
    registered = true;
    table_templates::extend_sample(get_table_name(false), [](CVQDataBase& table) {
        add_identity_rows(table);
        add_drawing_rows(table);
    });
    table_templates::extend_sample(get_table_name(true), add_drawing_rows);
    table_templates::extend_sample(field_catalogue::tables::pedestal_settings, add_drawing_rows);
    table_templates::extend_sample(field_catalogue::tables::param_settings, add_drawing_rows);
}

int common_gj_drawset_grid_ui_data::get_envariable_types_call_count() { return envariable_type_calls().count(); }

void common_gj_drawset_grid_ui_data::reset_call_counts() { envariable_type_calls().reset(); }

namespace {
// The host's templates carry the common settings from the moment the library is loaded.
[[maybe_unused]] const bool templates_registered = (common_gj_drawset_grid_ui_data::register_table_templates(), true);
}  // namespace
