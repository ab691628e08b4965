// VQDraw_DS_GJNA input records: what a pedestal rebar drawing component is built from.
//
// DS_draw_data is the whole input of one component (the rebar library's name,
// which the drawing strategies use; not the module's stored drawing record of
// the same name in VQDraw_DS_UINA): identity of the pier or
// abutment, scales and notes, and the parameter groups. A parameter group is
// one sheet of the drawing; each DS_steel_pram_parameter in it describes one
// row of pedestals of a single size (count, plan size, heights, skew angle,
// rebar). The records are plain values: copies share nothing except the rebar
// group pointer, whose object belongs to the rebar library.
#pragma once

#include <utility>
#include <vector>

#include "host/afx/cstring.h"

namespace RXDSGNMOD {
class CRXComponentSteelP0;
}

namespace VQDraw_DS_GJNA {

/// One row of pedestals of one size on one pier or abutment.
class DS_steel_pram_parameter {
public:
    DS_steel_pram_parameter() = default;
    DS_steel_pram_parameter(const DS_steel_pram_parameter&) = default;
    DS_steel_pram_parameter& operator=(const DS_steel_pram_parameter&) = default;
    virtual ~DS_steel_pram_parameter() = default;

    bool operator==(const DS_steel_pram_parameter&) const = default;

    CString m_strSupportType;    ///< type of the support, e.g. "桥墩" or "桥台"
    CString m_strDSType;         ///< pedestal type label shown in the parameter table
    CString m_strPos;            ///< position on the support, e.g. "小桩号侧"
    double m_dOffsetCross = 0.0; ///< plan offset of the row from the support axis, across the bridge, mm
    double m_dOffsetAlong = 0.0; ///< the same along the bridge, mm
    CString m_strName;           ///< name the row is listed under (pier name or bridge part)
    int m_iPierNum = 0;          ///< pier or abutment number
    int m_iCount = 0;            ///< number of pedestals in the row
    double m_dWidth = 0.0;       ///< across the bridge, mm
    double m_dLength = 0.0;      ///< along the bridge, mm
    std::vector<double> m_vecHeights;  ///< one height per pedestal, mm
    double m_dAngle = 90.0;      ///< skew angle of the side lines, degrees
    std::vector<std::pair<CString, CString>> m_custom_note_items;  ///< key and text of custom notes
    /// Bars of the pedestal's rebar, or null for a drawing without rebar. The
    /// object belongs to the rebar library and outlives the record.
    const RXDSGNMOD::CRXComponentSteelP0* m_pSteelGroup = nullptr;
};

/// The whole input of one pedestal rebar drawing component.
class DS_draw_data {
public:
    DS_draw_data() = default;
    DS_draw_data(const DS_draw_data&) = default;
    DS_draw_data& operator=(const DS_draw_data&) = default;
    virtual ~DS_draw_data() = default;

    bool operator==(const DS_draw_data&) const = default;

    CString m_strDSNumber;       ///< pedestal number shown in the title
    CString m_strSupportType;    ///< type of the support, e.g. "桥墩"
    CString m_strQF;             ///< bridge part, e.g. "主线"
    int m_iPierNum = 0;          ///< pier or abutment number
    CString m_strPierName;       ///< e.g. "主线3号墩"
    std::vector<std::vector<CString>> m_vecGroupNotes;  ///< notes, one list per parameter group
    int m_iSelectedObjNum = 0;   ///< piers and abutments the drawing serves (0: just its own)
    int m_iScaleElevation = 50;  ///< scale 1:n of the elevation
    int m_iScalePlan = 50;       ///< scale 1:n of the plan
    int m_iScaleDetail = 50;     ///< scale 1:n of the bar details
    CString m_strConcreteType;   ///< e.g. "C40"
    CString m_strCustomNote;     ///< free note printed on every sheet
    std::vector<CString> m_vecHeightLabels;  ///< height label per group: "" one height, "h" varying
    std::vector<std::vector<DS_steel_pram_parameter>> m_vecParamGroups;  ///< one group per sheet
};

}  // namespace VQDraw_DS_GJNA
