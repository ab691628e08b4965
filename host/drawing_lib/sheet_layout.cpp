// Placing views, notes and tables on sheets, with continuation sheets and findings.
#include "host/drawing_lib/sheet_layout.h"

#include <algorithm>
#include <tuple>
#include <cmath>

#include "host/drawing_lib/bar_details.h"
#include "host/drawing_lib/column_flow.h"
#include "host/pedestal_design/drawing_check.h"
#include "host/drawing_lib/pedestal_view_set.h"
#include "host/drawing_lib/rx_component.h"
#include "host/drawing_lib/sheet_tables.h"
#include "host/pedestal_design/view_marks.h"
#include "host/framework/string_tools.h"
#include "host/rebar/rx_component_steel_p0.h"
#include "host/sheet_model/sheet_frame.h"

namespace VQDraw_DS_GJNA {

namespace {

using namespace ds_sheet;
using string_tools::num_to_string;

constexpr double heading_room = 7.0;
/// Views need this much of the left area; notes take the rest.
constexpr double views_least_height = 150.0;

/// Two table columns of a continuation sheet.
std::vector<box> continuation_columns()
{
    const box& r = a3::right_column;
    return {{a3::left_area.left, a3::left_area.bottom, a3::left_area.left + (r.right - r.left), r.top}, r};
}

template <class Field>
bool all_equal(const std::vector<DS_steel_pram_parameter>& group, Field field)
{
    return std::all_of(group.begin(), group.end(), [&](const auto& p) { return p.*field == group.front().*field; });
}

/// The pedestal of a row the views show: the first that holds every bar the row's pedestals hold,
/// so that no scheduled bar is missing from the views (a low pedestal may hold no ties).
std::size_t shown_pedestal(const DS_steel_pram_parameter& row)
{
    if (!row.m_pSteelGroup || row.m_vecHeights.empty()) return 0;
    const pedestal_plan plan{row.m_dWidth, row.m_dLength, row.m_dAngle};
    std::size_t best = 0, most = 0;
    for (std::size_t i = 0; i < row.m_vecHeights.size(); ++i) {
        const std::size_t held = marks_held(row.m_pSteelGroup->GetBars(), plan, row.m_vecHeights[i]).size();
        if (held > most) best = i, most = held;
    }
    return best;
}

/// True when every pedestal of the group holds the same bars.
bool built_alike(const std::vector<DS_steel_pram_parameter>& group)
{
    std::vector<CString> first;
    bool any = false;
    for (const auto& row : group) {
        if (!row.m_pSteelGroup) continue;
        const pedestal_plan plan{row.m_dWidth, row.m_dLength, row.m_dAngle};
        for (double h : row.m_vecHeights) {
            std::vector<CString> held = marks_held(row.m_pSteelGroup->GetBars(), plan, h);
            if (!any) first = std::move(held), any = true;
            else if (held != first) return false;
        }
    }
    return true;
}

view_subject subject_of(const DS_draw_data& data, std::size_t g)
{
    const auto& group = data.m_vecParamGroups[g];
    const DS_steel_pram_parameter& first = group.front();
    view_subject s;
    s.plan = {first.m_dWidth, first.m_dLength, first.m_dAngle};
    s.width_label = all_equal(group, &DS_steel_pram_parameter::m_dWidth) ? number_text(first.m_dWidth) : CString("a");
    s.length_label = all_equal(group, &DS_steel_pram_parameter::m_dLength) ? number_text(first.m_dLength) : CString("b");
    std::vector<double> heights;
    for (const auto& p : group) heights.insert(heights.end(), p.m_vecHeights.begin(), p.m_vecHeights.end());
    s.height = heights.empty() ? 0.0 : heights.at(shown_pedestal(first));
    const bool labelled = g < data.m_vecHeightLabels.size() && !data.m_vecHeightLabels[g].IsEmpty();
    const bool varies = std::any_of(heights.begin(), heights.end(), [&](double h) { return h != s.height; });
    s.height_label = labelled ? data.m_vecHeightLabels[g] : varies ? CString("h") : number_text(s.height);
    if (first.m_pSteelGroup) s.bars = &first.m_pSteelGroup->GetBars();
    return s;
}

/// Notes at the bottom of the left area, as many lines as leave the views their room
/// (none with `below_views` false: they all go to the right column);
/// returns the lines that did not fit and the top of the notes.
std::pair<std::vector<CString>, double> place_notes(sheet& page, const std::vector<CString>& notes, bool below_views)
{
    const box& area = a3::left_area;
    std::vector<CString> lines;
    for (const CString& note : notes) {
        for (CString& l : wrap_text(note, note_text_height, area.right - area.left - 4.0)) lines.push_back(std::move(l));
        if (lines.size() > max_note_lines) {
            lines.resize(max_note_lines);
            lines.push_back("(附注过长，以下从略)");
            break;
        }
    }
    if (!below_views) return {lines, area.bottom};
    const auto room = static_cast<std::size_t>((area.top - area.bottom - views_least_height - heading_room) / note_pitch);
    const std::size_t shown = std::min(room, lines.size());
    double y = area.bottom + 1.0 + note_pitch * static_cast<double>(shown);
    const double top = y + heading_room;
    page.texts.push_back(make_text({area.left, y + 2.5}, 4.0, "附注："));
    for (std::size_t i = 0; i < shown; ++i) {
        y -= note_pitch;
        page.texts.push_back(make_text({area.left + 4.0, y + 1.0}, note_text_height, lines[i]));
    }
    return {std::vector<CString>(lines.begin() + static_cast<std::ptrdiff_t>(shown), lines.end()), top};
}

/// What the views show when the drawing has several pedestals: "built alike" only when they are.
CString typical_note(const std::vector<DS_steel_pram_parameter>& group)
{
    const DS_steel_pram_parameter& first = group.front();
    if (group.size() == 1 && first.m_vecHeights.size() <= 1) return {};
    const CString shown = num_to_string(static_cast<int>(shown_pedestal(first) + 1)) + "#";
    if (group.size() == 1) {
        const CString all = "1#~" + num_to_string(static_cast<int>(first.m_vecHeights.size())) + "#垫石";
        if (built_alike(group)) return all + "构造相同，图示" + shown + "垫石，各垫石高度及层数见垫石编号表";
        return "图示" + shown + "垫石；" + all + "所含钢筋随高度不同，各垫石高度、网层数及箍筋道数见垫石编号表";
    }
    return "图示第1行(" + first.m_strName + num_to_string(first.m_iPierNum) + "号)" + shown +
           "垫石；各墩台垫石按1#、2#…编号，高度依次列于参数表";
}

void layout_group(std::vector<pending_sheet>& sheets, const DS_draw_data& data, std::size_t g, const group_quantities& q,
                  const title_block_text& base, std::vector<CString>* notices)
{
    const auto& group = data.m_vecParamGroups[g];
    title_block_text block = base;
    block.title = sheet_title(data, g);
    sheets.push_back({{}, block});
    sheet& page = sheets.back().page;

    const std::vector<CString> notes = sheet_notes(data, g);
    const view_subject subject = subject_of(data, g);
    const box& area = a3::left_area;
    const CString typical = typical_note(group);
    // The notes stand under the views unless the views then cannot be read at any scale that fits:
    // then they give the views the whole left area and follow the tables in the right column.
    const auto lay_out = [&](bool notes_below) {
        page = {};
        auto [overflow, notes_top] = place_notes(page, notes, notes_below);
        const double views_bottom = notes_top + 2.0 + (typical.IsEmpty() ? 0.0 : 6.0);
        if (!typical.IsEmpty()) page.texts.push_back(make_text({area.left, views_bottom - 4.0}, note_text_height, typical));
        const views_drawn drawn = draw_views(page, subject, {area.left, views_bottom, area.right, area.top}, data.m_iScalePlan);
        return std::pair{drawn, std::move(overflow)};
    };
    auto [drawn, overflow] = lay_out(true);
    if (!drawn.readable) {
        auto [roomier, all_notes] = lay_out(false);
        if (roomier.readable) {
            drawn = roomier;
            overflow = std::move(all_notes);
        } else {
            std::tie(drawn, overflow) = lay_out(true);
        }
    }
    sheets.back().block.scale = "1:" + num_to_string(drawn.scale);
    if (notices && !drawn.notice.IsEmpty()) notices->push_back(sheet_title(data, g) + "：" + drawn.notice);

    const CString label = g < data.m_vecHeightLabels.size() ? data.m_vecHeightLabels[g] : CString();
    column_flow flow(sheets, sheets.back().block, {a3::right_column}, continuation_columns());
    flow.place(parameter_table(group, label, data.m_strSupportType));
    if (group.size() == 1 && !q.rows.empty()) flow.place(pedestal_numbers(group.front(), q.rows.front(), subject.bars));
    flow.place(quantity_table(q, data.m_strConcreteType));
    if (group.size() > 1) flow.place(per_pier_table(group, q));
    place_bar_details(flow, q);
    if (!overflow.empty()) flow.place("附注", overflow);
}

/// A sheet that lists what the drawing could not show, so nothing is dropped unseen.
void layout_undrawable(std::vector<pending_sheet>& sheets, const DS_draw_data& data, const std::vector<group_quantities>& quantities,
                       const title_block_text& base)
{
    std::vector<CString> lines;
    for (std::size_t g = 0; g < quantities.size(); ++g)
        for (const CString& bar : quantities[g].undrawable)
            lines.push_back("第" + num_to_string(static_cast<int>(g + 1)) + "组 钢筋" + bar + "：形状无法绘制，未计入工程数量表");
    if (lines.empty()) return;
    title_block_text block = base;
    block.title = base_sheet_title(data) + "(未绘钢筋)";
    block.scale = "-";
    sheets.push_back({{}, block});
    const box& r = a3::right_column;
    const box whole{a3::left_area.left, r.bottom, r.right, r.top};
    column_flow flow(sheets, block, {whole}, {whole});
    flow.place("以下钢筋本图库无法绘制，须另行绘制并计量：", lines);
}

/// Sheet numbers, drawing numbers and the title block of every sheet.
std::vector<sheet> finish(std::vector<pending_sheet>& sheets)
{
    std::vector<sheet> pages;
    pages.reserve(sheets.size());
    const auto digits = std::to_string(sheets.size()).size();
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        title_block_text block = sheets[i].block;
        block.sheet_index = static_cast<int>(i + 1);
        block.sheet_count = static_cast<int>(sheets.size());
        std::string index = std::to_string(i + 1);
        index.insert(0, std::max<std::size_t>(digits, 2) - index.size(), '0');
        block.number += "-" + CString(index);
        draw_frame(sheets[i].page, block);
        pages.push_back(std::move(sheets[i].page));
    }
    return pages;
}

title_block_text base_block(const DS_draw_data& data)
{
    const RXDSGNMOD::sheet_signatures& s = RXDSGNMOD::GetSheetSignatures();
    title_block_text block;
    const CString prefix = s.number_prefix.IsEmpty() ? CString("DS") : s.number_prefix;
    block.number = data.m_strDSNumber.IsEmpty() ? prefix : prefix + data.m_strDSNumber;
    block.project = s.project;
    block.date = s.date;
    block.designer = s.designer;
    block.checker = s.checker;
    block.approver = s.approver;
    return block;
}

}  // namespace

CString base_sheet_title(const DS_draw_data& data)
{
    return data.m_strPierName.IsEmpty() ? CString("垫石钢筋构造图") : data.m_strPierName + "垫石钢筋构造图";
}

CString sheet_title(const DS_draw_data& data, std::size_t group)
{
    CString title = base_sheet_title(data);
    if (data.m_vecParamGroups.size() > 1 && group < data.m_vecParamGroups.size() && !data.m_vecParamGroups[group].empty()) {
        const DS_steel_pram_parameter& first = data.m_vecParamGroups[group].front();
        title += "(" + number_text(first.m_dWidth) + "×" + number_text(first.m_dLength) + ")";
    }
    return title;
}

std::vector<sheet> layout_sheets(const DS_draw_data& data, const std::vector<group_quantities>& quantities,
                                 std::vector<CString>* notices)
{
    std::vector<pending_sheet> sheets;
    const title_block_text base = base_block(data);
    for (std::size_t g = 0; g < data.m_vecParamGroups.size() && g < quantities.size(); ++g)
        if (!data.m_vecParamGroups[g].empty()) layout_group(sheets, data, g, quantities[g], base, notices);
    layout_undrawable(sheets, data, quantities, base);
    return finish(sheets);
}

std::vector<sheet> findings_sheets(const DS_draw_data& data, const std::vector<CString>& findings)
{
    std::vector<pending_sheet> sheets;
    title_block_text block = base_block(data);
    block.title = base_sheet_title(data) + "(设计检查未通过)";
    block.scale = "-";
    sheets.push_back({{}, block});
    std::vector<CString> numbered;
    for (std::size_t i = 0; i < findings.size(); ++i)
        numbered.push_back(num_to_string(static_cast<int>(i + 1)) + ". " + findings[i]);
    const box& r = a3::right_column;
    const box whole{a3::left_area.left, r.bottom, r.right, r.top};
    column_flow flow(sheets, block, {whole}, {whole});
    flow.place("设计检查未通过，以下问题改正后方可出图：", numbered);
    return finish(sheets);
}

}  // namespace VQDraw_DS_GJNA
