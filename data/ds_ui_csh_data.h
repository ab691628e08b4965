// DS_ui_CSH_data: the graph data node of one parametric (list) pedestal drawing.
//
// One drawing serves many piers and abutments: a shared drawing record (size,
// settings and rebar of the whole drawing), the name of the height column and
// one list row per pier or abutment. The rows come from referenced structure
// drawings (set_reference_datas) or from merged single drawings (the merge
// and convert methods, which also set m_is_merge).
#pragma once

#include <vector>

#include "data/ds_csh_records.h"
#include "data/ds_draw_data.h"
#include "host/framework/parameters_graph_data_base.h"

namespace VQDraw_DS_UINA {

class DS_ui_CSH_data : public xbjg_parameters_graph_data_base {
    DECLARE_DYNCREATE(DS_ui_CSH_data)
public:
    /// No rows, no height column name, not merged; the numbers of the shared
    /// record are 0 until set_default_value.
    DS_ui_CSH_data();
    DS_ui_CSH_data(const DS_ui_CSH_data& other);
    DS_ui_CSH_data& operator=(const DS_ui_CSH_data& other);
    ~DS_ui_CSH_data() override;

    /// Unless a user-defined default applies: the shared record's and the
    /// name's defaults, one default row appended (the list is not cleared),
    /// not merged.
    void set_default_value() override;
    /// The base part first, then "version" 1, "m_gz_data", "m_csh_name", the
    /// row list "m_csh_data" and "m_is_merge". A stored version other than 1
    /// reads the base part only.
    void serialize_members(member_rw_interface& stream) override;
    /// The shared record, the name, the rows pairwise up to the shorter list
    /// (extra rows add nothing) and the merge flag. False without a line when
    /// `other` is not a parametric pedestal drawing.
    bool compare_graph_data(const graph_data_base* other, std::vector<CString>& lines) const override;
    /// Replaces the rows by one row per referenced pier or abutment that has
    /// pedestals, and takes the shared size from the first pedestal found. An
    /// empty list changes nothing.
    void set_reference_datas(const std::vector<data_node_base*>& nodes) override;
    /// Groups the structure nodes whose first pedestals have equal width and
    /// length; nodes without pedestals, and nodes that are not structure
    /// drawings, are left out. `filter` is not used.
    std::vector<std::vector<data_node_base*>> set_merge_filter_datas(
        const CString& filter, const std::vector<data_node_base*>& nodes) const override;

    DS_draw_data m_gz_data;                  ///< shared construction, settings and rebar of the drawing
    DS_CSH_Name m_csh_name;                  ///< name of the height column
    std::vector<DS_CSH_LB_Data> m_csh_data;  ///< the list rows, in display order
    bool m_is_merge = false;                 ///< assembled from single drawings
};

}  // namespace VQDraw_DS_UINA
