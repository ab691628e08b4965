// Border, frame, title block and captions.
#include "host/sheet_model/sheet_frame.h"

#include <algorithm>

#include "host/framework/string_tools.h"

namespace ds_sheet {

namespace {

constexpr double title_height = 4.5;
constexpr double caption_height = 5.0;

void rectangle(sheet& page, const box& b, layer on, double weight)
{
    page.polylines.push_back(
        {{{b.left, b.bottom}, {b.right, b.bottom}, {b.right, b.top}, {b.left, b.top}}, true, on, weight});
}

/// The title in up to two lines inside the title cell, smaller when it is long.
void draw_title(sheet& page, const CString& title, const box& cell)
{
    const double room = cell.right - cell.left - 4.0;
    double height = title_height;
    std::vector<CString> lines = wrap_text(title, height, room);
    while (lines.size() > 2 && height > 3.5 / 0.85) {
        height *= 0.85;
        lines = wrap_text(title, height, room);
    }
    const double centre_y = (cell.bottom + cell.top) / 2;
    const double pitch = height * 1.6;
    double y = centre_y + pitch * (static_cast<double>(lines.size()) - 1) / 2;
    for (const CString& line : lines) {
        page.texts.push_back(make_text({(cell.left + cell.right) / 2, y}, height, line, h_align::center, v_align::middle, layer::frame));
        y -= pitch;
    }
}

/// The title block's row "第i张" "共n张".
std::vector<CString> sheet_of(int index, int count)
{
    using string_tools::num_to_string;
    return {"第" + num_to_string(index) + "张", "共" + num_to_string(count) + "张"};
}

}  // namespace

bool renumber_title_block(sheet& page, const CString& number, int index, int count)
{
    for (table& t : page.tables)
        if (t.rows.size() == 4 && t.rows[1].size() == 2 && t.rows[1][0] == "图号" && t.rows[3].size() == 2) {
            t.rows[1][1] = number;
            t.rows[3] = sheet_of(index, count);
            return true;
        }
    return false;
}

void draw_frame(sheet& page, const title_block_text& block)
{
    using string_tools::num_to_string;
    page.width = a3::width;
    page.height = a3::height;
    page.title = block.title;
    rectangle(page, {0.0, 0.0, a3::width, a3::height}, layer::frame, 0.18);
    rectangle(page, a3::frame, layer::frame, 0.7);

    const box& tb = a3::title_block;
    rectangle(page, tb, layer::frame, 0.5);
    constexpr double strip = 6.0;  // signature strip on top of the block
    const double info_left = tb.right - 70.0;
    page.lines.push_back({{info_left, tb.bottom}, {info_left, tb.top - strip}, layer::frame, 0.35});
    constexpr double project_room = 7.0;
    if (!block.project.IsEmpty())
        page.texts.push_back(make_text({(tb.left + info_left) / 2, tb.top - strip - project_room / 2}, 3.5, block.project,
                                       h_align::center, v_align::middle, layer::frame));
    draw_title(page, block.title, {tb.left, tb.bottom, info_left, tb.top - strip - (block.project.IsEmpty() ? 0.0 : project_room)});
    page.tables.push_back({{info_left, tb.top - strip},
                           {20.0, 50.0},
                           (tb.top - strip - tb.bottom) / 4,
                           3.5,
                           {{"比例", block.scale}, {"图号", block.number}, {"日期", block.date}, sheet_of(block.sheet_index, block.sheet_count)}});
    page.tables.push_back({{tb.left, tb.top}, {14.0, 39.0, 14.0, 39.0, 14.0, 40.0}, strip, 3.5,
                           {{"设计", block.designer, "复核", block.checker, "审核", block.approver}}});
}

void draw_caption(sheet& page, const CString& name, const CString& scale, double centre_x, double baseline)
{
    const double w = text_width(name, caption_height);
    page.texts.push_back(make_text({centre_x, baseline}, caption_height, name, h_align::center));
    const double left = centre_x - w / 2 - 2.0, right = centre_x + w / 2 + 2.0;
    page.lines.push_back({{left, baseline - 1.5}, {right, baseline - 1.5}, layer::text, 0.6});
    page.lines.push_back({{left, baseline - 2.6}, {right, baseline - 2.6}, layer::text, 0.18});
    if (!scale.IsEmpty())
        page.texts.push_back(make_text({right + 2.0, baseline}, 3.5, scale));
}

}  // namespace ds_sheet
