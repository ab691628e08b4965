// common_gj_data_drawset: the shared drawing settings of substructure rebar
// drawings, and single_part_gj_merge_info, the record of which piers or
// abutments (and which of their pedestals) one drawing serves.
#pragma once

#include <utility>
#include <vector>

#include "host/afx/cstring.h"

class member_rw_interface;

/// Key and text of a custom note item.
using custom_note_item = std::pair<CString, CString>;

struct single_part_gj_merge_info {
    CString m_strType;      ///< type text, e.g. "桥墩"
    CString m_strQF;        ///< bridge part, e.g. "主线"
    CString m_strPierNums;  ///< pier or abutment numbers, number-list text such as "1~3"
    CString m_strRows;      ///< pedestal rows, number-list text
    CString m_strNums;      ///< pedestal numbers within a row, number-list text

    /// One line per differing field ("墩台类型：", "桥幅：", "墩台号：", "垫石排号：",
    /// "垫石编号："); a null `other` adds nothing.
    void compare(const single_part_gj_merge_info* other, std::vector<CString>& lines) const;
    /// Guard tag "single_part_gj_merge_info", "version" 1, the five fields under their names.
    void serialize_members(member_rw_interface& stream);
};

class common_gj_data_drawset {
public:
    CString m_strCompType;      ///< "所属墩台类型", e.g. "桥墩" or "桥台"
    CString m_strQF;            ///< "桥幅"
    int m_iPierNum = 0;         ///< "墩台号"
    int m_iScale = 0;           ///< "比例", drawing scale 1:n
    CString m_strConcreteType;  ///< "混凝土类型"
    CString m_strCustomNote;    ///< "自定义附注"
    double m_dCover = 0.0;      ///< "保护层厚度(mm)", concrete cover of the rebar
    std::vector<custom_note_item> m_custom_note_items;
    std::vector<single_part_gj_merge_info> m_merge_infos;

    /// The host's shared defaults (scale 50, concrete "C40", cover 40).
    void set_default_value();
    /// Appends one line per differing setting (captions as in the grid, e.g.
    /// "所属墩台类型："), then for each list a line when the lengths differ and
    /// lines for the differing fields of the elements both lists have, prefixed
    /// "第N条". A null `other` adds nothing.
    void compare(const common_gj_data_drawset* other, std::vector<CString>& lines) const;
    /// Guard tag "common_gj_data_drawset", "version" 1, each setting under its
    /// member name, then the lists "m_custom_note_items" (entries "item_N_key" and
    /// "item_N_value") and "m_merge_infos" (records "item_N"). Every stored
    /// version is read with this layout; a missing key keeps the value.
    void serialize_members(member_rw_interface& stream);
};

/// The drawing settings of an abutment drawing, as the abutment hands them out.
class qt_data_gj_drawset {
public:
    CString m_strQTType;        ///< abutment type, e.g. "肋板台"
    CString m_strQF;            ///< bridge part
    int m_iPierNum = 0;         ///< abutment number
    CString m_strConcreteType;  ///< concrete type
    int m_iScale = 0;
};
