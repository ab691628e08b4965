// DS_GZ_Gen: construction (geometry) data of the pedestals of one drawing.
#pragma once

#include <vector>

#include "host/afx/cstring.h"

class member_rw_interface;

namespace VQDraw_DS_UINA {

class DS_GZ_Gen {
public:
    /// Both texts empty; the numbers get their values from set_default_value,
    /// an assignment or a read (zero until then).
    DS_GZ_Gen() = default;
    DS_GZ_Gen(const DS_GZ_Gen&) = default;
    DS_GZ_Gen& operator=(const DS_GZ_Gen&) = default;
    ~DS_GZ_Gen() = default;

    /// 560 x 560, 90 degrees, one pedestal, no position; the height text is kept.
    void set_default_value();
    /// Appends one line per differing member, in member order.
    void compare(const DS_GZ_Gen* other, std::vector<CString>& lines) const;
    /// Tag "DS_steel_Gen", version 3. Versions 1 and 2 stored one height as the
    /// number "m_dHeight": when that entry is present its value becomes the
    /// height text (trailing zeros trimmed), so old projects keep their height.
    void serialize_members(member_rw_interface& stream);

    double m_dWidth = 0.0;  ///< across the bridge ("横桥向"), mm
    double m_dLenth = 0.0;  ///< along the bridge ("顺桥向"), mm
    CString strHei;         ///< height(s), mm: numbers separated by blanks, commas or semicolons
    double m_dSlope = 0.0;  ///< skew angle of the side lines, degrees
    int m_iCount = 0;       ///< number of pedestals
    CString strPos;         ///< "小桩号侧", "大桩号侧" or empty
};

}  // namespace VQDraw_DS_UINA
