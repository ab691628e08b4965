// contents_sheet: the contents (图纸目录) that opens a set of drawings: one
// row per drawing — 序号, 图号, 图名, 张数, 备注 — in a ruled table under the
// caption, continued on further contents sheets when the set is long. The
// sheets carry the title block; their numbers are given when the set is
// numbered (renumber_title_block).
#pragma once

#include <cstddef>
#include <vector>

#include "host/afx/cstring.h"
#include "host/sheet_model/sheet_frame.h"

namespace ds_sheet {

/// One drawing of the set as the contents list it.
struct contents_row {
    CString number;  ///< 图号: the drawing's first sheet, or "first~last"
    CString title;   ///< 图名
    int sheets = 1;  ///< 张数
    CString note;    ///< 备注
};

/// Rows of drawings one contents sheet holds.
inline constexpr std::size_t contents_rows_per_sheet = 28;

/// How many contents sheets `rows` drawings take (at least one).
std::size_t contents_sheet_count(std::size_t rows);

/// The contents sheets of `rows`, framed with `block` (title "图纸目录", then
/// "图纸目录(续1)" ...); `organisation`, when given, is named under the table.
std::vector<sheet> contents_sheets(const std::vector<contents_row>& rows, const title_block_text& block,
                                   const CString& organisation);

}  // namespace ds_sheet
