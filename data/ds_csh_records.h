// DS_CSH_Name and DS_CSH_LB_Data: the naming record and one row of the list
// of a parametric pedestal drawing.
//
// A parametric drawing shows one row per pier or abutment: where its
// pedestals stand, how many there are, their size, height and rebar. Both
// records are plain values: copying copies every member, the rebar set
// included, and nothing is shared with the source.
#pragma once

#include <utility>
#include <vector>

#include "host/afx/cstring.h"
#include "host/rebar/steel_data.h"

class member_rw_interface;

namespace VQDraw_DS_UINA {

/// The list's naming record: the name under which the height column is shown.
class DS_CSH_Name {
public:
    /// The height column name starts empty.
    DS_CSH_Name() = default;
    DS_CSH_Name(const DS_CSH_Name&) = default;
    DS_CSH_Name& operator=(const DS_CSH_Name&) = default;
    ~DS_CSH_Name() = default;

    /// Height column name "h".
    void set_default_value();
    /// One line ("垫石高度h：") when the names differ; the list is never cleared.
    void compare(const DS_CSH_Name* other, std::vector<CString>& lines) const;
    /// Guard tag "DS_CSH_Name", "version" 1, "m_strH". Every stored version
    /// is read with this one layout.
    void serialize_members(member_rw_interface& stream);

    CString m_strH;  ///< name of the height column
};

/// One row of a parametric list: the pedestals of one pier or abutment.
class DS_CSH_LB_Data {
public:
    /// Layout version written by serialize_members.
    static constexpr int current_version = 6;

    /// Bridge part "主线", number 1, six pedestals of 1100 x 1700, height
    /// "200", skew 120; the support kind stays empty (only set_default_value
    /// makes it "桥墩").
    DS_CSH_LB_Data();
    DS_CSH_LB_Data(const DS_CSH_LB_Data&) = default;
    DS_CSH_LB_Data& operator=(const DS_CSH_LB_Data&) = default;
    ~DS_CSH_LB_Data() = default;

    /// The defaults of the nine plain fields, with "桥墩" as support kind.
    /// The pedestal type, the note items and the rebar keep what they hold.
    void set_default_value();
    /// One line per differing field from m_Type to m_strPos, then the rebar
    /// comparison's own lines. The note items are not compared.
    void compare(const DS_CSH_LB_Data* other, std::vector<CString>& lines) const;
    /// Guard tag "DS_CSH_LB_Data", "version" 6 and the twelve members under
    /// their names. Reading picks the keys by the stored version (1 to 6);
    /// any other version reads like 6. Members whose keys an old layout lacks
    /// keep their values.
    void serialize_members(member_rw_interface& stream);

    CString m_Type;     ///< support kind: "桥墩" or "桥台"
    CString m_strQF;    ///< bridge part, e.g. "主线"
    int m_iNum;         ///< pier or abutment number
    int m_iCount;       ///< number of pedestals on that pier or abutment
    CString m_strType;  ///< pedestal type: the pedestal number of the single drawing it came from
    CString m_strH;     ///< height(s) in mm as text: one number, or a list when the pedestals differ
    double m_dWid;      ///< width across the bridge, mm
    double m_dLen;      ///< length along the bridge, mm
    double m_dAngle;    ///< skew angle, degrees
    CString m_strPos;   ///< position text of the pedestals
    std::vector<std::pair<CString, CString>> m_custom_note_items;  ///< custom notes: key and text
    steel_data m_Steel_P0;  ///< the row's rebar set
};

}  // namespace VQDraw_DS_UINA
