// Drawing notes of one size group of a parametric pedestal drawing.
//
// Every group (one sheet) carries either the standard notes (the unit note,
// then "本图适用于" and the piers and abutments it serves) or the custom notes
// of its first row that has custom note items. The applicability text lists,
// per bridge part, the merged pier or abutment numbers, "号", the kind of
// support and the position, one entry per position and bridge part.
#pragma once

#include <map>
#include <vector>

#include "data/ds_csh_records.h"
#include "drawing/ds_csh_groups.h"

namespace VQDraw_DS_UINA {

/// Pier or abutment numbers by key "<position>,<bridge part>", ordered by
/// CString::Compare of the key (the GBK byte order). A row without a
/// position (empty, "NO", or a text holding ";") files under "NO".
using ds_csh_applicability_map = std::map<CString, std::vector<int>>;

/// "墩" when any row's type text holds "墩", followed by "台" when any holds
/// "台"; "墩台" when neither does (and so also when both do).
CString ds_csh_kind_text(const std::vector<DS_CSH_LB_Data>& rows, const std::vector<ds_csh_group_member>& group);

/// The group's numbers filed by position and bridge part, in group order.
ds_csh_applicability_map ds_csh_applicability_map_of(const std::vector<DS_CSH_LB_Data>& rows,
                                                     const std::vector<ds_csh_group_member>& group);

/// Entry by entry in key order: the bridge part where it changes, the merged
/// numbers ("、" between items), "号", `kind` and the position unless it is
/// "NO". Entries are separated by ",". A key that does not split into exactly
/// two parts at " ,;" (a position holding a blank, say), or whose bridge part
/// is empty, prints nothing; since only the last entry of the map goes
/// without a separator, skipping the last entry leaves a "," at the end.
CString ds_csh_applicability_text(const ds_csh_applicability_map& map, const CString& kind);

/// The unit note for the host's dimension unit: centimetres when it says
/// "cm", millimetres otherwise.
CString ds_csh_unit_note();

/// The note list of one group. `unit_note` is the note ds_csh_unit_note
/// gives; the caller asks the host once per drawing, since the unit is a
/// setting of the whole drawing. Custom notes: per item of the first row
/// with items, its text when it has one, else the standard text its key
/// names ("适用墩台描述" gives the applicability note, empty when there is
/// none); an empty item of any other key gives nothing.
std::vector<CString> ds_csh_group_notes(const std::vector<DS_CSH_LB_Data>& rows,
                                        const std::vector<ds_csh_group_member>& group, const CString& unit_note);

}  // namespace VQDraw_DS_UINA
