// DS_GZ_Gen: default pedestal geometry, its difference lines, and its stored
// layout, reading the single numeric height of older versions as the height text.
#include "data/ds_gz_gen.h"

#include <cmath>
#include <limits>

#include "host/framework/common_string_tools.h"
#include "host/framework/serialization_guard.h"
#include "host/framework/string_tools.h"

namespace VQDraw_DS_UINA {

void DS_GZ_Gen::set_default_value()
{
    m_dLenth = 560.0;
    m_dWidth = 560.0;
    m_dSlope = 90.0;
    m_iCount = 1;
    strPos = "";
}

void DS_GZ_Gen::compare(const DS_GZ_Gen* other, std::vector<CString>& lines) const
{
    using common_string_tools::Get_Unmatched_String;
    Get_Unmatched_String("垫石横桥向宽度：", other->m_dWidth, m_dWidth, lines);
    Get_Unmatched_String("垫石顺桥向长度：", other->m_dLenth, m_dLenth, lines);
    Get_Unmatched_String("垫石高度：", other->strHei, strHei, lines);
    Get_Unmatched_String("垫石斜交角：", other->m_dSlope, m_dSlope, lines);
    Get_Unmatched_String("垫石个数：", static_cast<double>(other->m_iCount), static_cast<double>(m_iCount), lines);
    Get_Unmatched_String("垫石位置：", other->strPos, strPos, lines);
}

namespace {
// Versions 1 and 2 kept one height as the number "m_dHeight". When the entry
// is there it becomes the height text, so an old project keeps its pedestal
// height; without it the text stays as it was.
void read_old_layout(member_rw_interface& stream, int version, DS_GZ_Gen& gz)
{
    double old_height = std::numeric_limits<double>::quiet_NaN();
    stream.read("m_dLenth", gz.m_dLenth);
    stream.read("m_dWidth", gz.m_dWidth);
    stream.read("m_dHeight", old_height);
    stream.read("m_dSlope", gz.m_dSlope);
    stream.read("m_iCount", gz.m_iCount);
    if (version == 2) stream.read("strPos", gz.strPos);
    if (!std::isnan(old_height)) gz.strHei = string_tools::num_to_string(old_height, 6, true);
}
}  // namespace

void DS_GZ_Gen::serialize_members(member_rw_interface& stream)
{
    x_object_flag_serialization_guard guard("DS_steel_Gen", stream);
    int version = 3;  // a stream without a version reads the current layout
    stream.serialize("version", version);
    if (!stream.is_storing() && (version == 1 || version == 2)) {
        read_old_layout(stream, version, *this);
        return;
    }
    stream.serialize("m_dLenth", m_dLenth);
    stream.serialize("m_dWidth", m_dWidth);
    stream.serialize("strHei", strHei);
    stream.serialize("m_dSlope", m_dSlope);
    stream.serialize("m_iCount", m_iCount);
    stream.serialize("strPos", strPos);
}

}  // namespace VQDraw_DS_UINA
