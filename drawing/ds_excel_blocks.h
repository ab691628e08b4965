// Spreadsheet rows of pedestal drawings: the cell rules and the two blocks of
// rows (construction data, drawing settings) shared by the single and the
// parametric drawing's exchange.
//
// A property row holds the caption in cell 0 and the value in cell 1. Export
// writes reals with one decimal and integers as decimal text; import converts
// with atoi/atof, so a cell that does not begin with a number reads as 0.
// Import matches rows by position only, through one cursor rule (take_next_field).
// Each block is one list of (caption, field) entries that both directions walk,
// so export and import cannot drift apart.
#pragma once

#include "data/ds_gz_gen.h"
#include "data/ds_steel_drawset.h"
#include "host/ui_base/graph_drawing_strategy_base.h"

namespace VQDraw_DS_UINA::ds_excel {

/// When the row at `row` exists and has at least two cells, takes its cell 1
/// into `value` and moves `row` on by one; otherwise changes neither (a short
/// row is never consumed, so every later field stays as it is too). True when taken.
bool take_next_field(const excel_table& table, unsigned int& row, CString& value);
/// As above, the cell read with atoi.
bool take_next_field(const excel_table& table, unsigned int& row, int& value);
/// As above, the cell read with atof.
bool take_next_field(const excel_table& table, unsigned int& row, double& value);

/// Appends the two-cell row (caption, value).
void append_row(excel_table& table, const CString& caption, const CString& value);
/// Appends (caption, decimal text of value).
void append_row(excel_table& table, const CString& caption, int value);
/// Appends (caption, value with one decimal).
void append_row(excel_table& table, const CString& caption, double value);

/// Calls fn(caption, field) for the construction block, in row order.
/// `Gen` is DS_GZ_Gen or const DS_GZ_Gen.
template <class Gen, class Fn>
void for_each_gen_field(Gen& gz, Fn&& fn)
{
    fn("横桥向宽度(mm)", gz.m_dWidth);
    fn("顺桥向长度(mm)", gz.m_dLenth);
    fn("高度(mm)", gz.strHei);
    fn("斜交角(°)", gz.m_dSlope);
    fn("垫石个数", gz.m_iCount);
    fn("垫石位置", gz.strPos);
}

/// Calls fn(caption, field) for the settings block, in row order.
/// `DrawSet` is DS_steel_DrawSet or const DS_steel_DrawSet.
template <class DrawSet, class Fn>
void for_each_drawSet_field(DrawSet& drawSet, Fn&& fn)
{
    auto& common = drawSet.com_drawset;
    fn("垫石编号", drawSet.m_DS_number);
    fn("所属墩台类型", common.m_strCompType);
    fn("桥幅", common.m_strQF);
    fn("墩台号", common.m_iPierNum);
    fn("比例", common.m_iScale);
    fn("混凝土类型", common.m_strConcreteType);
    fn("自定义附注", common.m_strCustomNote);
}

}  // namespace VQDraw_DS_UINA::ds_excel
