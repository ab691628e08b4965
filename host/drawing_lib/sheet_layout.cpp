// Placing views, notes and tables on sheets, with continuation sheets.
#include "host/drawing_lib/sheet_layout.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "host/drawing_lib/pedestal_views.h"
#include "host/drawing_lib/rx_component_steel_p0.h"
#include "host/drawing_lib/sheet_frame.h"
#include "host/drawing_lib/sheet_tables.h"
#include "host/framework/string_tools.h"

namespace VQDraw_DS_GJNA {

namespace {

using namespace ds_sheet;
using string_tools::num_to_string;

constexpr double row_height = 5.5;
constexpr double table_text = 2.5;
constexpr double heading_height = 4.0;
constexpr double heading_room = 7.0;  // from a table's top to the baseline above it that carries its title
constexpr double block_gap = 7.0;
constexpr double note_height = 3.0;
constexpr double note_pitch = 5.0;
/// Views need this much of the left area; notes take the rest.
constexpr double views_least_height = 130.0;

/// A sheet under construction with what its title block will say.
struct pending_sheet {
    sheet page;
    title_block_text block;
};

/// Places blocks of rows top-down into columns, opening continuation sheets as columns fill.
class column_flow {
public:
    column_flow(std::vector<pending_sheet>& sheets, title_block_text block, std::vector<box> first_columns,
                std::vector<box> next_columns)
        : m_sheets(sheets), m_block(std::move(block)), m_columns(std::move(first_columns)),
          m_next_columns(std::move(next_columns)), m_y(m_columns.front().top)
    {
    }

    /// A table; its header repeats in every column it continues into.
    void place(const table_content& content)
    {
        std::size_t done = 0;
        bool continued = false;
        do {
            const double room = m_y - heading_room - m_columns[m_col].bottom;
            const auto fit = static_cast<std::size_t>(std::max(0.0, std::floor(room / row_height) - 1.0));
            if (fit == 0 || (fit < 3 && content.rows.size() - done > fit)) {
                next_column();
                continue;
            }
            const std::size_t take = std::min(fit, content.rows.size() - done);
            heading(continued ? content.title + "(续)" : content.title);
            table grid{{column().left, m_y}, content.columns, row_height, table_text, {content.header}};
            grid.rows.insert(grid.rows.end(), content.rows.begin() + static_cast<std::ptrdiff_t>(done),
                             content.rows.begin() + static_cast<std::ptrdiff_t>(done + take));
            page().tables.push_back(std::move(grid));
            m_y -= row_height * static_cast<double>(take + 1) + block_gap;
            done += take;
            continued = true;
            if (done < content.rows.size()) next_column();
        } while (done < content.rows.size());
    }

    /// Lines of text under a heading, wrapped to the column.
    void place(const CString& title, const std::vector<CString>& paragraphs)
    {
        std::vector<CString> lines;
        for (const CString& p : paragraphs)
            for (CString& l : wrap_text(p, note_height, column().right - column().left)) lines.push_back(std::move(l));
        std::size_t done = 0;
        bool continued = false;
        while (done < lines.size()) {
            if (m_y - heading_room - note_pitch < column().bottom) {
                next_column();
                continue;
            }
            heading(continued ? title + "(续)" : title);
            while (done < lines.size() && m_y - note_pitch >= column().bottom) {
                m_y -= note_pitch;
                page().texts.push_back({{column().left, m_y + 1.0}, note_height, lines[done++], h_align::left,
                                        v_align::baseline, 0.0, layer::text});
            }
            m_y -= block_gap;
            continued = true;
        }
    }

    /// `height` mm of the current column under a heading, when the column has them; nothing otherwise.
    std::optional<box> take(const CString& title, double height)
    {
        if (m_y - heading_room - height < column().bottom) return std::nullopt;
        heading(title);
        const box room{column().left, m_y - height, column().right, m_y};
        m_y -= height + block_gap;
        return room;
    }

    /// The sheet being filled.
    sheet& page() { return m_sheets.back().page; }

private:
    const box& column() const { return m_columns[m_col]; }

    void heading(const CString& title)
    {
        m_y -= heading_room;
        page().texts.push_back({{column().left, m_y + 2.0}, heading_height, title, h_align::left, v_align::baseline, 0.0,
                                layer::text});
    }

    void next_column()
    {
        if (++m_col >= m_columns.size()) {
            m_columns = m_next_columns;
            m_col = 0;
            title_block_text block = m_block;
            block.title += "(续" + num_to_string(++m_continuations) + ")";
            m_sheets.push_back({{}, block});
        }
        m_y = column().top;
    }

    std::vector<pending_sheet>& m_sheets;
    title_block_text m_block;
    std::vector<box> m_columns;
    std::vector<box> m_next_columns;
    std::size_t m_col = 0;
    double m_y = 0.0;
    int m_continuations = 0;
};

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
    s.height = heights.empty() ? 0.0 : heights.front();
    const bool labelled = g < data.m_vecHeightLabels.size() && !data.m_vecHeightLabels[g].IsEmpty();
    const bool varies = std::any_of(heights.begin(), heights.end(), [&](double h) { return h != s.height; });
    s.height_label = labelled ? data.m_vecHeightLabels[g] : varies ? CString("h") : number_text(s.height);
    if (first.m_pSteelGroup) s.bars = &first.m_pSteelGroup->GetBars();
    return s;
}

/// Notes at the bottom of the left area, as many lines as leave the views their room;
/// returns the lines that did not fit and the top of the notes.
std::pair<std::vector<CString>, double> place_notes(sheet& page, const std::vector<CString>& notes)
{
    const box& area = a3::left_area;
    std::vector<CString> lines;
    for (const CString& note : notes)
        for (CString& l : wrap_text(note, note_height, area.right - area.left - 4.0)) lines.push_back(std::move(l));
    const auto room = static_cast<std::size_t>((area.top - area.bottom - views_least_height - heading_room) / note_pitch);
    const std::size_t shown = std::min(room, lines.size());
    double y = area.bottom + 1.0 + note_pitch * static_cast<double>(shown);
    const double top = y + heading_room;
    page.texts.push_back({{area.left, y + 2.5}, heading_height, "附注：", h_align::left, v_align::baseline, 0.0, layer::text});
    for (std::size_t i = 0; i < shown; ++i) {
        y -= note_pitch;
        page.texts.push_back({{area.left + 4.0, y + 1.0}, note_height, lines[i], h_align::left, v_align::baseline, 0.0,
                              layer::text});
    }
    return {std::vector<CString>(lines.begin() + static_cast<std::ptrdiff_t>(shown), lines.end()), top};
}

constexpr double detail_row = 11.0;

/// One bar of the quantity table drawn at the detail scale: its mark, the bar
/// with its bent ends, its diameter above and its length below.
void draw_bar_detail(sheet& page, const bar_quantity& bar, const box& row, double k)
{
    const double y = (row.bottom + row.top) / 2 - 1.0;
    const point centre{row.left + 4.0, y};
    page.circles.push_back({centre, 2.8, layer::text, 0.25});
    page.texts.push_back({centre, 2.5, bar.mark, h_align::center, v_align::middle, 0.0, layer::text});
    const double left = row.left + 14.0;
    const bool bent = bar.one_length - bar.straight > 1e-6;
    const double run = bar.straight * k;
    page.lines.push_back({{left, y}, {left + run, y}, layer::rebar, 0.5});
    if (bent) {
        // Bent ends are drawn short and labelled with their length, so a long leg keeps its row.
        const double leg = std::min(std::max((bar.one_length - bar.straight) / 2 * k, 1.5), 4.0);
        page.lines.push_back({{left, y}, {left, y + leg}, layer::rebar, 0.5});
        page.lines.push_back({{left + run, y}, {left + run, y + leg}, layer::rebar, 0.5});
        page.texts.push_back({{left + run + 1.0, y + leg / 2}, 2.0, number_text((bar.one_length - bar.straight) / 2),
                              h_align::left, v_align::middle, 0.0, layer::dimension});
    }
    page.texts.push_back({{left + run / 2, y + 1.2}, 2.5, bar.grade + " " + diameter_text(bar.diameter), h_align::center,
                          v_align::baseline, 0.0, layer::text});
    page.texts.push_back({{left + run / 2, y - 1.2}, 2.5, number_text(bar.straight), h_align::center,
                          v_align::top, 0.0, layer::dimension});
    page.texts.push_back({{left + run + 10.0, y}, 2.5, "L=" + number_text(bar.one_length), h_align::left, v_align::middle,
                          0.0, layer::text});
}

/// The bar details under the tables, when the column has room for them all.
void place_bar_details(column_flow& flow, const group_quantities& q, int wanted_scale)
{
    if (q.bars.empty()) return;
    double longest = 0.0;
    for (const bar_quantity& bar : q.bars) longest = std::max(longest, bar.one_length);
    const int n = fitting_scale(longest, 1.0, 100.0, 1e9, wanted_scale);
    const auto room = flow.take("钢筋大样 1:" + num_to_string(n), detail_row * static_cast<double>(q.bars.size()));
    if (!room) return;
    for (std::size_t i = 0; i < q.bars.size(); ++i) {
        const double top = room->top - detail_row * static_cast<double>(i);
        draw_bar_detail(flow.page(), q.bars[i], {room->left, top - detail_row, room->right, top}, 1.0 / n);
    }
}

void layout_group(std::vector<pending_sheet>& sheets, const DS_draw_data& data, std::size_t g, const group_quantities& q)
{
    const auto& group = data.m_vecParamGroups[g];
    title_block_text block{sheet_title(data, g), "", "DS-" + num_to_string(static_cast<int>(g + 1)), 0, 0};
    sheets.push_back({{}, block});
    sheet& page = sheets.back().page;

    auto [overflow, notes_top] = place_notes(page, sheet_notes(data, g));
    const view_subject subject = subject_of(data, g);
    const box& area = a3::left_area;
    const double views_bottom = notes_top + 2.0;
    const double split = views_bottom + (area.top - views_bottom) * 0.58;
    const int plan_scale = draw_plan(page, subject, {area.left, views_bottom, area.right, split}, data.m_iScalePlan);
    if (subject.height > 0.0) draw_elevation(page, subject, {area.left, split, area.right, area.top}, data.m_iScaleElevation);
    sheets.back().block.scale = "1:" + num_to_string(plan_scale);

    const CString label = g < data.m_vecHeightLabels.size() ? data.m_vecHeightLabels[g] : CString();
    column_flow flow(sheets, sheets.back().block, {a3::right_column}, continuation_columns());
    flow.place(parameter_table(group, label));
    flow.place(quantity_table(q, data.m_strConcreteType));
    place_bar_details(flow, q, data.m_iScaleDetail);
    if (!overflow.empty()) flow.place("附注", overflow);
}

std::vector<sheet> finish(std::vector<pending_sheet>& sheets)
{
    std::vector<sheet> pages;
    pages.reserve(sheets.size());
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        title_block_text block = sheets[i].block;
        block.sheet_index = static_cast<int>(i + 1);
        block.sheet_count = static_cast<int>(sheets.size());
        draw_frame(sheets[i].page, block);
        pages.push_back(std::move(sheets[i].page));
    }
    return pages;
}

CString base_title(const DS_draw_data& data)
{
    return data.m_strPierName.IsEmpty() ? CString("垫石钢筋构造图") : data.m_strPierName + "垫石钢筋构造图";
}

}  // namespace

CString sheet_title(const DS_draw_data& data, std::size_t group)
{
    CString title = base_title(data);
    const std::size_t groups = data.m_vecParamGroups.size();
    if (groups > 1)
        title += "(" + num_to_string(static_cast<int>(group + 1)) + "/" + num_to_string(static_cast<int>(groups)) + ")";
    return title;
}

std::vector<sheet> layout_sheets(const DS_draw_data& data, const std::vector<group_quantities>& quantities)
{
    std::vector<pending_sheet> sheets;
    for (std::size_t g = 0; g < data.m_vecParamGroups.size() && g < quantities.size(); ++g)
        if (!data.m_vecParamGroups[g].empty()) layout_group(sheets, data, g, quantities[g]);
    return finish(sheets);
}

std::vector<sheet> findings_sheets(const DS_draw_data& data, const std::vector<CString>& findings)
{
    std::vector<pending_sheet> sheets;
    title_block_text block{base_title(data) + "(设计检查未通过)", "-", "-", 0, 0};
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
