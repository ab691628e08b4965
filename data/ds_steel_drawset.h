// DS_steel_DrawSet: the drawing settings of a pedestal drawing.
#pragma once

#include <vector>

#include "host/substructure/common_gj_data_drawset.h"

class member_rw_interface;

namespace VQDraw_DS_UINA {

class DS_steel_DrawSet {
public:
    DS_steel_DrawSet() = default;
    DS_steel_DrawSet(const DS_steel_DrawSet&) = default;
    DS_steel_DrawSet& operator=(const DS_steel_DrawSet&) = default;
    ~DS_steel_DrawSet() = default;

    /// Pedestal number "1", support "墩", the shared defaults with scale 10.
    void set_default_value();
    /// Lines captioned "垫石编号：" and "墩台类别：", then the shared settings' own lines.
    void compare(const DS_steel_DrawSet* other, std::vector<CString>& lines) const;
    void serialize_members(member_rw_interface& stream);

    CString m_DS_number;     ///< pedestal number shown on the drawing
    CString m_strMergeNum;   ///< support kind: "墩", "台" or "墩台"
    common_gj_data_drawset com_drawset;  ///< shared settings of substructure drawings
};

}  // namespace VQDraw_DS_UINA
