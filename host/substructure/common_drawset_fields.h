// common_drawset_fields: the scalar settings of common_gj_data_drawset and the
// text fields of single_part_gj_merge_info, listed once.
//
// Comparison, serialization and the grid helpers all walk these lists, so a
// setting added here is compared, stored and shown without touching them. The
// key of each entry is the member's name: it is the stream key and the grid
// row key at the same time.
#pragma once

#include "host/substructure/common_gj_data_drawset.h"

namespace common_drawset_fields {

/// Calls `fn(key, caption, member_pointer)` for each scalar setting, in stream order.
template <class Fn>
void for_each_setting(Fn&& fn)
{
    using S = common_gj_data_drawset;
    fn("m_strCompType", "所属墩台类型：", &S::m_strCompType);
    fn("m_strQF", "桥幅：", &S::m_strQF);
    fn("m_iPierNum", "墩台号：", &S::m_iPierNum);
    fn("m_iScale", "比例：", &S::m_iScale);
    fn("m_strConcreteType", "混凝土类型：", &S::m_strConcreteType);
    fn("m_strCustomNote", "自定义附注：", &S::m_strCustomNote);
    fn("m_dCover", "保护层厚度(mm)：", &S::m_dCover);
}

/// Calls `fn(key, caption, member_pointer)` for each field of a merge-information record.
template <class Fn>
void for_each_merge_field(Fn&& fn)
{
    using M = single_part_gj_merge_info;
    fn("m_strType", "墩台类型：", &M::m_strType);
    fn("m_strQF", "桥幅：", &M::m_strQF);
    fn("m_strPierNums", "墩台号：", &M::m_strPierNums);
    fn("m_strRows", "垫石排号：", &M::m_strRows);
    fn("m_strNums", "垫石编号：", &M::m_strNums);
}

}  // namespace common_drawset_fields
