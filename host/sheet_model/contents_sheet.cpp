// The contents sheets of a set of drawings.
#include "host/sheet_model/contents_sheet.h"

#include <algorithm>

#include "host/framework/string_tools.h"

namespace ds_sheet {

namespace {

using string_tools::num_to_string;

/// Column widths: 序号, 图号, 图名, 张数, 备注 (mm); the table is centred in the frame.
const std::vector<double> columns = {16.0, 46.0, 170.0, 16.0, 82.0};
constexpr double row_height = 7.5;
constexpr double table_top = 266.0;
constexpr double caption_baseline = 274.0;

double table_width()
{
    double width = 0.0;
    for (const double c : columns) width += c;
    return width;
}

sheet one_page(const std::vector<contents_row>& rows, std::size_t first, std::size_t last, std::size_t page,
               title_block_text block, const CString& organisation)
{
    sheet out;
    const double centre = (a3::frame.left + a3::frame.right) / 2;
    draw_caption(out, "图纸目录", "", centre, caption_baseline);
    table t{{centre - table_width() / 2, table_top}, columns, row_height, 3.5, {{"序号", "图号", "图名", "张数", "备注"}}};
    for (std::size_t i = first; i < last; ++i)
        t.rows.push_back({num_to_string(static_cast<int>(i + 1)), rows[i].number, rows[i].title,
                          num_to_string(rows[i].sheets), rows[i].note});
    out.tables.push_back(std::move(t));
    if (!organisation.IsEmpty())
        out.texts.push_back(make_text({a3::left_area.left, a3::title_block.bottom + 4.0}, 3.5, "编制单位：" + organisation));
    block.title = page == 0 ? CString("图纸目录") : "图纸目录(续" + num_to_string(static_cast<int>(page)) + ")";
    block.scale = "-";
    draw_frame(out, block);
    return out;
}

}  // namespace

std::size_t contents_sheet_count(std::size_t rows)
{
    return std::max<std::size_t>(1, (rows + contents_rows_per_sheet - 1) / contents_rows_per_sheet);
}

std::vector<sheet> contents_sheets(const std::vector<contents_row>& rows, const title_block_text& block,
                                   const CString& organisation)
{
    std::vector<sheet> pages;
    const std::size_t count = contents_sheet_count(rows.size());
    for (std::size_t p = 0; p < count; ++p) {
        const std::size_t first = p * contents_rows_per_sheet;
        pages.push_back(one_page(rows, first, std::min(rows.size(), first + contents_rows_per_sheet), p, block, organisation));
    }
    return pages;
}

}  // namespace ds_sheet
