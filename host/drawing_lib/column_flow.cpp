// Placing tables, notes and blocks into columns, with continuation sheets.
#include "host/drawing_lib/column_flow.h"

#include <algorithm>
#include <cmath>

#include "host/pedestal_design/view_marks.h"
#include "host/framework/string_tools.h"

namespace VQDraw_DS_GJNA {

using namespace ds_sheet;

namespace {
constexpr double heading_height = 4.0;
constexpr double heading_room = 7.0;  // from a table's top to the baseline above it that carries its title
constexpr double block_gap = 5.0;
}  // namespace

column_flow::column_flow(std::vector<pending_sheet>& sheets, title_block_text block, std::vector<box> first_columns,
                         std::vector<box> next_columns)
    : m_sheets(sheets), m_block(std::move(block)), m_columns(std::move(first_columns)),
      m_next_columns(std::move(next_columns)), m_y(m_columns.front().top)
{
}

void column_flow::place(const table_content& content)
{
    std::size_t done = 0;
    bool continued = false;
    do {
        const double room = m_y - heading_room - column().bottom;
        const auto fit = static_cast<std::size_t>(std::max(0.0, std::floor(room / table_row_height) - 1.0));
        if (fit == 0 || (fit < 3 && content.rows.size() - done > fit)) {
            next_column();
            continue;
        }
        const std::size_t take = std::min(fit, content.rows.size() - done);
        heading(continued ? content.title + "(续)" : content.title);
        table grid{{column().left, m_y}, content.columns, table_row_height, table_text_height, {content.header}};
        grid.rows.insert(grid.rows.end(), content.rows.begin() + static_cast<std::ptrdiff_t>(done),
                         content.rows.begin() + static_cast<std::ptrdiff_t>(done + take));
        page().tables.push_back(std::move(grid));
        m_y -= table_row_height * static_cast<double>(take + 1) + block_gap;
        done += take;
        continued = true;
        if (done < content.rows.size()) next_column();
    } while (done < content.rows.size());
}

void column_flow::place(const CString& title, const std::vector<CString>& paragraphs)
{
    std::vector<CString> lines;
    for (const CString& p : paragraphs)
        for (CString& l : wrap_text(p, note_text_height, column().right - column().left)) lines.push_back(std::move(l));
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
            page().texts.push_back(make_text({column().left, m_y + 1.0}, note_text_height, lines[done++]));
        }
        m_y -= block_gap;
        continued = true;
    }
}

std::optional<box> column_flow::take(const CString& title, double height)
{
    if (m_y - heading_room - height < column().bottom) {
        next_column();
        if (m_y - heading_room - height < column().bottom) return std::nullopt;
    }
    heading(title);
    const box room{column().left, m_y - height, column().right, m_y};
    m_y -= height + block_gap;
    return room;
}

double column_flow::room_under_heading() const { return m_y - heading_room - column().bottom; }

void column_flow::heading(const CString& title)
{
    m_y -= heading_room;
    page().texts.push_back(make_text({column().left, m_y + 2.0}, heading_height, title));
}

void column_flow::next_column()
{
    if (++m_col >= m_columns.size()) {
        m_columns = m_next_columns;
        m_col = 0;
        title_block_text block = m_block;
        block.title += "(续" + string_tools::num_to_string(++m_continuations) + ")";
        block.scale = "-";  // tables and bar details only: nothing on it is drawn to scale
        m_sheets.push_back({{}, block});
    }
    m_y = column().top;
}

}  // namespace VQDraw_DS_GJNA
