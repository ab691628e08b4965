// xbjg_graph_data_base: the host's substructure drawing node (piers,
// abutments and the parts that stand on them, such as pedestals). It carries
// the substructure's identity and hands out its parts through accessors.
#pragma once

#include <vector>

#include "host/framework/drawing_graph_data_base.h"
#include "host/framework/substructure_part.h"

class common_gj_data_drawset;
class qt_data_gj_drawset;
struct ds_gz_data;
struct single_part_gj_merge_info;

/// Identity of a substructure drawing, the source of its shared drawing settings.
struct xbjg_substructure_info {
    CString type_name;      ///< concrete type of structure, e.g. "柱式墩" or "肋板台"
    CString bridge_part;    ///< "桥幅", e.g. "主线"
    int number = 0;         ///< pier or abutment number
    CString concrete_type;  ///< e.g. "C40"
    int scale = 50;
    double cover = 40.0;    ///< concrete cover of the rebar, mm (the host's shared default)
    CString custom_note;    ///< the structure's free note, handed on to the parts standing on it
};

class xbjg_graph_data_base : public drawing_graph_data_base {
    DECLARE_DYNAMIC(xbjg_graph_data_base)
public:
    /// 0 for a pier drawing, any other value for an abutment drawing.
    virtual int Get_Type() const;
    /// Fills `pedestals` with the pedestals standing on the structure, in drawing order.
    virtual bool Get_DS(std::vector<ds_gz_data>& pedestals) const;
    virtual bool Get_DK(std::vector<substructure_part>& parts) const;
    virtual bool Get_Mat(std::vector<substructure_part>& parts) const;
    virtual bool Get_JC(std::vector<substructure_part>& parts) const;
    virtual bool Get_QD_Drawset(std::vector<substructure_part>& parts) const;
    virtual bool Get_QD_GL(std::vector<substructure_part>& parts) const;
    virtual bool Get_QD_Pier(std::vector<pier_part>& parts) const;
    virtual bool Get_QD_Pier(std::vector<cap_beam_pier_part>& parts) const;
    virtual bool Get_QT_drawset(std::vector<substructure_part>& parts) const;
    virtual bool Get_QT_info_data(std::vector<substructure_part>& parts) const;
    virtual bool Get_QT_zt_data(std::vector<substructure_part>& parts) const;
    virtual bool Get_QT_BQ_data(std::vector<substructure_part>& parts) const;
    virtual bool Get_QT_ML_data(std::vector<substructure_part>& parts) const;
    virtual bool Get_QT_QQ_data(std::vector<substructure_part>& parts) const;
    virtual bool Get_QT_CQ_data(std::vector<substructure_part>& parts) const;
    virtual bool Get_QT_EQ_data(std::vector<substructure_part>& parts) const;
    virtual bool Get_QT_DTB_data(std::vector<substructure_part>& parts) const;
    virtual bool Get_QT_LB(std::vector<substructure_part>& parts) const;
    virtual bool Is_QSD() const;
    virtual bool Get_GZ_UI_Data_for_Steel(std::vector<substructure_part>& parts) const;

    void copy(const data_node_base& source, bool copy_tag) override;
    void serialize_members(member_rw_interface& stream) override;

    /// Fills the shared drawing settings from this drawing: every setting a
    /// structure drawing has (type text, bridge part, number, concrete, scale,
    /// cover, custom note). `part_name` names the part that asks ("垫石" or
    /// empty). Defined with the substructure records.
    void transform_to_common_drawset(common_gj_data_drawset& drawset, const CString& part_name) const;
    /// The abutment form of the same.
    void transform_to_common_drawset(qt_data_gj_drawset& drawset, const CString& part_name) const;

    /// Number of piers and abutments that a merge-information list serves.
    static int Get_Selected_Obj_Num(const std::vector<single_part_gj_merge_info>& infos);

    const xbjg_substructure_info& substructure_info() const { return m_info; }
    void set_substructure_info(const xbjg_substructure_info& info) { m_info = info; }

private:
    xbjg_substructure_info m_info;
};
