// substructure_graph_data: the host's pier and abutment drawings, reduced to
// what the drawings standing on them read: the structure's identity
// (xbjg_substructure_info) and its pedestals.
//
// QD_pier_graph_data and QT_abutment_graph_data are created by runtime class
// name, so a project file can hold them; they differ only in Get_Type.
#pragma once

#include <memory>
#include <vector>

#include "host/framework/ds_gz_data.h"
#include "host/framework/xbjg_graph_data_base.h"

class substructure_graph_data : public xbjg_graph_data_base {
    DECLARE_DYNAMIC(substructure_graph_data)
public:
    /// The pedestals in drawing order; true when there is at least one.
    bool Get_DS(std::vector<ds_gz_data>& pedestals) const override;

    const std::vector<ds_gz_data>& get_pedestals() const { return m_pedestals; }
    void set_pedestals(std::vector<ds_gz_data> pedestals) { m_pedestals = std::move(pedestals); }

    /// The base part (identity, tag on request) and the pedestals of another substructure drawing.
    void copy(const data_node_base& source, bool copy_tag) override;
    /// The base part under its own key, then "substructure_graph_data": guard tag
    /// of that name, "version" 2, the pedestal list "m_pedestals", then "cover"
    /// and "custom_note" (read only from version 2 on).
    void serialize_members(member_rw_interface& stream) override;

private:
    /// The cover and the custom note of the structure's shared settings. They
    /// are stored here, not in the base part, so the drawings standing on a
    /// structure (which share that base) keep their stored layout.
    void serialize_look(member_rw_interface& stream);

    std::vector<ds_gz_data> m_pedestals;
};

/// A pier drawing: Get_Type gives 0.
class QD_pier_graph_data : public substructure_graph_data {
    DECLARE_DYNCREATE(QD_pier_graph_data)
public:
    int Get_Type() const override { return 0; }
};

/// An abutment drawing: Get_Type gives 1.
class QT_abutment_graph_data : public substructure_graph_data {
    DECLARE_DYNCREATE(QT_abutment_graph_data)
public:
    int Get_Type() const override { return 1; }
};

/// Kind of structure for make_substructure_drawing, as Get_Type reports it.
enum substructure_kind : int { substructure_pier = 0, substructure_abutment = 1 };

/// A new pier (`type` 0) or abutment (any other `type`) drawing with the given
/// identity and pedestals. It has no tag and no name yet; the caller owns it.
std::unique_ptr<substructure_graph_data> make_substructure_drawing(int type, const CString& type_name,
                                                                   const CString& bridge_part, int number,
                                                                   const CString& concrete_type, int scale,
                                                                   std::vector<ds_gz_data> pedestals);
