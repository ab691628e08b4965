// common_gj_drawset_grid_ui_data: the grid helpers of the shared substructure
// drawing settings. They move a common_gj_data_drawset into and out of any
// property table that carries the common-settings rows, publish the type
// choices, serve the rows' buttons, and add those rows to the host's templates.
//
// Rows, keyed by the settings' member names:
//   m_strCompType (所属墩台类型, choices type_choice_list), m_strQF (桥幅),
//   m_iPierNum (墩台号) - the identity rows, only in the common settings table
//   of single drawings; m_iScale (比例), m_strConcreteType (混凝土类型),
//   m_dCover (保护层厚度), m_strCustomNote (自定义附注, with a button) - the
//   drawing rows, in every table that carries common settings.
// The custom note items and the merge-information list have no row: the grid
// leaves them as they are.
#pragma once

#include <vector>

#include "host/afx/cstring.h"

class CVQDataBase;
class common_gj_data_drawset;
struct NM_VQGRID;

class common_gj_drawset_grid_ui_data {
public:
    /// Choice list of the m_strCompType row.
    static constexpr const char* type_choice_list = "GJ_COMP_TYPE";
    /// Choice list of the m_strConcreteType row, published by the templates.
    static constexpr const char* concrete_choice_list = "GJ_CONCRETE_TYPE";

    /// Name of the common settings table: "通用绘图设置" for a single drawing
    /// (false); "通用绘图设置-参数化" for a parametric list drawing (true), whose
    /// rows name their structures themselves and so has only the drawing rows.
    static CString get_table_name(bool is_parameter_graph);

    /// Type choices for a drawing of runtime class `real_type_name`: a pier
    /// drawing offers {"桥墩"}, an abutment drawing {"桥台"}, and every other
    /// drawing (the parts standing on either) {"桥墩", "桥台"}.
    static std::vector<CString> get_envariable_types(const CString& real_type_name);

    /// Publishes `types` as type_choice_list on the table (replacing an earlier list); null does nothing.
    static void set_type_envariable(CVQDataBase* table, const std::vector<CString>& types);

    /// Writes each setting into the row of its key; rows the table lacks are skipped. Null does nothing.
    static void load_data(CVQDataBase* table, const common_gj_data_drawset& drawset);
    /// Reads each setting from the row of its key; a missing row or a cell that
    /// does not convert keeps the setting as it was. Null does nothing.
    static void save_data(CVQDataBase* table, common_gj_data_drawset& drawset);

    /// The button of the m_strCustomNote row stands for the host's note editor,
    /// which opens on the standard note. Headless there is no dialog: an empty
    /// note cell receives the standard note, written as the user's edit (the
    /// table becomes user-modified), with the cover of the table's m_dCover row
    /// (40 when it has none). A note already written is left alone, and buttons
    /// of other rows, a null table or a null notification do nothing.
    static void button_be_clicked(CVQDataBase* table, NM_VQGRID* notify);

    /// The standard note for a concrete cover in millimetres.
    static CString standard_note(double cover);

    /// Registers the common settings templates and adds the drawing rows to the
    /// pedestal settings samples "垫石-绘图设置" and "DS_CSH_Drawset". Runs when
    /// the host library loads; later calls do nothing.
    static void register_table_templates();

    // ---- seam for tests ----
    static int get_envariable_types_call_count();
    static void reset_call_counts();
};
