// Defaults, difference lines and the stored layouts of the parametric list records.
#include "data/ds_csh_records.h"

#include "data/ds_stream_helpers.h"
#include "host/framework/common_string_tools.h"
#include "host/framework/serialization_guard.h"

namespace VQDraw_DS_UINA {

namespace {

// The note items are text pairs, not records: each pair i is stored flat as
// "item_<i>_key" and "item_<i>_value" inside the list marks.
void serialize_note_items(member_rw_interface& stream, const CString& key,
                          std::vector<std::pair<CString, CString>>& items)
{
    stream.mark(key, x_mark_list_begin);
    int count = static_cast<int>(items.size());
    stream.serialize("count", count);
    if (!stream.is_storing()) items.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const CString item_key = ds_item_key(i);
        stream.serialize(item_key + "_key", items[i].first);
        stream.serialize(item_key + "_value", items[i].second);
    }
    stream.mark(key, x_mark_list_end);
}

}  // namespace

void DS_CSH_Name::set_default_value() { m_strH = "h"; }

void DS_CSH_Name::compare(const DS_CSH_Name* other, std::vector<CString>& lines) const
{
    common_string_tools::Get_Unmatched_String("垫石高度h：", other->m_strH, m_strH, lines);
}

void DS_CSH_Name::serialize_members(member_rw_interface& stream)
{
    x_object_flag_serialization_guard guard("DS_CSH_Name", stream);
    int version = 1;
    stream.serialize("version", version);  // one layout so far: the stored version changes nothing
    stream.serialize("m_strH", m_strH);
}

DS_CSH_LB_Data::DS_CSH_LB_Data()
    : m_strQF("主线"), m_iNum(1), m_iCount(6), m_strH("200"), m_dWid(1100.0), m_dLen(1700.0), m_dAngle(120.0)
{
}

void DS_CSH_LB_Data::set_default_value()
{
    m_Type = "桥墩";
    m_strQF = "主线";
    m_iNum = 1;
    m_iCount = 6;
    m_strH = "200";
    m_dWid = 1100.0;
    m_dLen = 1700.0;
    m_dAngle = 120.0;
    m_strPos = "";
}

void DS_CSH_LB_Data::compare(const DS_CSH_LB_Data* other, std::vector<CString>& lines) const
{
    using common_string_tools::Get_Unmatched_String;
    Get_Unmatched_String("墩台类型：", other->m_Type, m_Type, lines);
    Get_Unmatched_String("桥幅：", other->m_strQF, m_strQF, lines);
    Get_Unmatched_String("墩台号：", static_cast<double>(other->m_iNum), static_cast<double>(m_iNum), lines);
    Get_Unmatched_String("个数：", static_cast<double>(other->m_iCount), static_cast<double>(m_iCount), lines);
    Get_Unmatched_String("垫石类型：", other->m_strType, m_strType, lines);
    Get_Unmatched_String("高度：", other->m_strH, m_strH, lines);
    Get_Unmatched_String("横桥向宽度：", other->m_dWid, m_dWid, lines);
    Get_Unmatched_String("顺桥向长度：", other->m_dLen, m_dLen, lines);
    Get_Unmatched_String("斜交角：", other->m_dAngle, m_dAngle, lines);
    Get_Unmatched_String("垫石位置：", other->m_strPos, m_strPos, lines);
    m_Steel_P0.compare(other->m_Steel_P0, lines);
}

// Each member came with a layout version and is stored by every later one,
// always in declaration order, so one walk serves writing and reading every
// layout. A version this program does not know is read like the newest.
void DS_CSH_LB_Data::serialize_members(member_rw_interface& stream)
{
    x_object_flag_serialization_guard guard("DS_CSH_LB_Data", stream);
    int version = current_version;
    stream.serialize("version", version);
    if (version < 1 || version > current_version) version = current_version;
    const auto stored_since = [version](int first_version) { return version >= first_version; };

    if (stored_since(4)) stream.serialize("m_Type", m_Type);
    stream.serialize("m_strQF", m_strQF);
    stream.serialize("m_iNum", m_iNum);
    stream.serialize("m_iCount", m_iCount);
    if (stored_since(3)) stream.serialize("m_strType", m_strType);
    stream.serialize("m_strH", m_strH);
    if (stored_since(2)) {
        stream.serialize("m_dWid", m_dWid);
        stream.serialize("m_dLen", m_dLen);
        stream.serialize("m_dAngle", m_dAngle);
        stream.serialize("m_strPos", m_strPos);
    }
    if (stored_since(5)) serialize_note_items(stream, "m_custom_note_items", m_custom_note_items);
    if (stored_since(6)) ds_serialize_nested(stream, "m_Steel_P0", m_Steel_P0);
}

}  // namespace VQDraw_DS_UINA
