// Built-in sample tables of the pedestal drawing type.
#include "host/grid/pedestal_table_templates.h"

namespace {

using table_ptr = std::unique_ptr<CVQDataBase>;

table_ptr property_table(const char* name)
{
    return std::make_unique<CVQDataBase>(grid_table_kind::property, CString(name));
}

// Geometry rows shared by the overall and the construction table.
void add_geometry_rows(CVQDataBase& table)
{
    table.add_property("m_dWidth", "横桥向宽度(mm)");
    table.add_property("m_dLenth", "顺桥向长度(mm)");
    table.add_property("m_dHeight", "垫石高度(mm)");
    table.add_property("m_slope", "侧边线夹角(度)");
}

table_ptr overall_table()
{
    table_ptr table = property_table("垫石-总体属性");
    table->add_property("m_GetType", "输入方式", pedestal_table_templates::input_mode_choices_name);
    table->add_property("m_Ref_path", "引用墩台图纸", "Exist_Graph_Names");
    table->add_property("m_Num", "引用垫石序号", "DS_Num");
    add_geometry_rows(*table);
    table->add_property("m_DS_count", "垫石个数");
    table->SetEnvVariable(pedestal_table_templates::input_mode_choices_name, {"自定义", "外部引用", "外部导入"}, false);
    return table;
}

table_ptr construction_table()
{
    table_ptr table = property_table("垫石-构造属性");
    add_geometry_rows(*table);
    table->add_property("m_iCount", "垫石个数");
    return table;
}

table_ptr drawing_settings_table()
{
    table_ptr table = property_table("垫石-绘图设置");
    table->add_property("m_DS_number", "垫石编号");
    return table;
}

table_ptr parametric_settings_table()
{
    table_ptr table = property_table("DS_CSH_Drawset");
    table->add_property("m_merge_name", "支承墩台类型");
    return table;
}

table_ptr parametric_name_table()
{
    table_ptr table = property_table("垫石-参数化列表名称");
    table->add_property("m_H", "高度名称");
    return table;
}

table_ptr parametric_list_table()
{
    auto table = std::make_unique<CVQDataBase>(grid_table_kind::list, CString("垫石-参数化列表"));
    table->set_header_rows(1);
    table->add_column("m_Type", "墩台类型");
    table->add_column("m_strQF", "桥幅");
    table->add_column("m_iN", "墩台号");
    table->add_column("m_iCount", "垫石个数");
    table->add_column("m_type", "垫石类型");
    table->add_column("m_strH", "垫石高度(mm)");
    table->add_column("m_dWid", "横桥向宽度(mm)");
    table->add_column("m_dLen", "顺桥向长度(mm)");
    table->add_column("m_dAngle", "斜交角(度)");
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
