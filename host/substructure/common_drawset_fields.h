// common_drawset_fields: the scalar settings of common_gj_data_drawset and the
// text fields of single_part_gj_merge_info, listed once; what difference lines
// call each is the field catalogue's.
//
// Comparison, serialization and the grid helpers all walk these lists, so a
// setting added here is compared, stored and shown without touching them. The
// key of each entry is the member's name: it is the stream key and the grid
// row key at the same time.
#pragma once

#include <string_view>

#include "host/substructure/common_gj_data_drawset.h"

namespace common_drawset_fields {

/// What a difference line calls the field of catalogue name `name`: the
/// field catalogue's name for it and a colon, "比例：".
const char* difference_caption(std::string_view name);

/// Calls `fn(key, caption, member_pointer)` for each scalar setting, in stream order.
template <class Fn>
void for_each_setting(Fn&& fn)
{
    using S = common_gj_data_drawset;
    fn("m_strCompType", difference_caption("settings.structure_type"), &S::m_strCompType);
    fn("m_strQF", difference_caption("settings.bridge_part"), &S::m_strQF);
    fn("m_iPierNum", difference_caption("settings.structure_number"), &S::m_iPierNum);
    fn("m_iScale", difference_caption("settings.scale"), &S::m_iScale);
    fn("m_strConcreteType", difference_caption("settings.concrete"), &S::m_strConcreteType);
    fn("m_strCustomNote", difference_caption("settings.note"), &S::m_strCustomNote);
    fn("m_dCover", difference_caption("settings.cover"), &S::m_dCover);
}

/// Calls `fn(key, caption, member_pointer)` for each field of a merge-information record.
template <class Fn>
void for_each_merge_field(Fn&& fn)
{
    using M = single_part_gj_merge_info;
    fn("m_strType", difference_caption("merge.structure_type"), &M::m_strType);
    fn("m_strQF", difference_caption("merge.bridge_part"), &M::m_strQF);
    fn("m_strPierNums", difference_caption("merge.structure_numbers"), &M::m_strPierNums);
    fn("m_strRows", difference_caption("merge.rows"), &M::m_strRows);
    fn("m_strNums", difference_caption("merge.numbers"), &M::m_strNums);
}

}  // namespace common_drawset_fields
