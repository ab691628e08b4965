// Every caption a door shows is the field catalogue's: the grid templates the
// host builds (and the rebar table the module registers), and every row and
// list column the module's spreadsheet exchange writes. A caption the
// catalogue does not hold has no check behind it, so the spreadsheet import
// says so instead of passing it by.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/core/exchange/spreadsheet_cells.h"
#include "data/ds_ui_csh_data.h"
#include "data/ds_ui_data.h"
#include "drawing/ds_ui_csh_drawing_strategy.h"
#include "drawing/ds_ui_drawing_strategy.h"
#include "host/fields/field_catalogue.h"
#include "host/grid/cvq_data_base.h"
#include "host/grid/table_templates.h"
#include "host/text/encoding.h"
#include "support/exchange_sample.h"
#include "support/module_fixture.h"
#include "support/utf8_literal.h"

namespace {

namespace fc = field_catalogue;
using ds_test::utf8;

/// A narrow (GBK) text as a failure message shows it.
std::string readable(std::string_view narrow) { return ds_text::to_utf8(narrow); }

/// Every grid table the host's templates and the module's rebar sample build.
std::vector<const char*> template_tables()
{
    namespace t = fc::tables;
    return {t::overall,        t::construction, t::pedestal_settings, t::common_settings, t::common_settings_param,
            t::param_settings, t::param_name,   t::param_list,        t::rebar};
}

excel_table single_export()
{
    VQDraw_DS_UINA::DS_ui_data drawing;
    drawing.set_default_value();
    ds_test::fill_exchange_sample(drawing.m_draw_data, 900);
    VQDraw_DS_UINA::DS_ui_drawing_strategy strategy;
    strategy.set_graph_data(&drawing);
    excel_table table;
    strategy.set_excel_exchange_p0(table);
    return table;
}

excel_table parametric_export()
{
    VQDraw_DS_UINA::DS_ui_CSH_data drawing;
    drawing.set_default_value();
    ds_test::fill_exchange_sample(drawing.m_gz_data, 900);
    VQDraw_DS_UINA::DS_CSH_LB_Data row;
    row.set_default_value();
    drawing.m_csh_data = {row};
    VQDraw_DS_UINA::DS_ui_CSH_drawing_strategy strategy;
    strategy.set_graph_data(&drawing);
    excel_table table;
    strategy.set_excel_exchange_p0(table);
    return table;
}

/// (sheet, caption) of every caption an exported table shows: the first cell
/// of each property row (every cell of a header row above them), and each
/// cell of the list header, the one row of more than three cells.
std::vector<std::pair<const char*, std::string>> captions_of(const excel_table& table, const char* sheet)
{
    std::vector<std::pair<const char*, std::string>> captions;
    for (std::size_t r = 0; r < table.size(); ++r) {
        const bool list_header = table[r].size() > 3;
        const bool heading = r == 0 && fc::is_caption(sheet, table[r][0].str()) && !fc::find_by_caption(sheet, table[r][0]);
        for (std::size_t c = 0; c < (list_header || heading ? table[r].size() : 1); ++c)
            captions.emplace_back(list_header ? fc::parametric_sheet_list : sheet, table[r][c].str());
        if (list_header) break;  // the list rows below hold values
    }
    return captions;
}

TEST(FieldCaptions, EveryTemplateRowIsCaptionedByTheCatalogueAndEveryGridPlaceHasItsRow)
{
    ASSERT_TRUE(ds_test::attach_module());  // registers the rebar table
    for (const char* name : template_tables()) {
        SCOPED_TRACE(name);
        const std::unique_ptr<CVQDataBase> table(table_templates::create_data_base(name));
        ASSERT_TRUE(table);
        const std::vector<CString> keys = table->get_keys();
        EXPECT_FALSE(keys.empty());
        for (const CString& key : keys) {
            const fc::field* f = fc::find(name, key);
            ASSERT_TRUE(f) << key.str() << " of " << readable(name) << " shows no field of the catalogue";
            EXPECT_EQ(table->get_caption(key).str(), fc::caption_at(name, key.str())) << key.str();
        }
        // A place nobody shows would be a caption typed for nothing.
        for (const fc::field& f : fc::all_fields())
            for (const fc::place& p : f.places) {
                if (std::string_view(p.table) != name) continue;
                EXPECT_NE(std::find(keys.begin(), keys.end(), CString(p.key)), keys.end()) << f.name << " at " << p.key;
            }
    }
}

TEST(FieldCaptions, EveryCaptionTheModuleExportsIsTheCatalogueAndEverySheetPlaceIsExported)
{
    for (const auto& [table, sheet] : {std::pair{single_export(), fc::single_sheet}, {parametric_export(), fc::parametric_sheet}}) {
        SCOPED_TRACE(sheet);
        const auto captions = captions_of(table, sheet);
        ASSERT_GT(captions.size(), 10u);
        for (const auto& [where, caption] : captions)
            EXPECT_TRUE(fc::is_caption(where, caption)) << "\"" << readable(caption) << "\" on " << readable(where);
        const bool has_list = std::any_of(captions.begin(), captions.end(),
                                          [](const auto& c) { return c.first == fc::parametric_sheet_list; });
        EXPECT_EQ(has_list, sheet == fc::parametric_sheet);
        for (const fc::field& f : fc::all_fields())
            for (const fc::place& p : f.places) {
                const std::string_view table_name = p.table;
                const bool ours = table_name == sheet || (table_name == fc::parametric_sheet_list && sheet == fc::parametric_sheet);
                if (!ours) continue;
                const bool exported = std::find(captions.begin(), captions.end(),
                                                std::pair{p.table, std::string(p.caption)}) != captions.end();
                EXPECT_TRUE(exported) << f.name << " \"" << readable(p.caption) << "\" is not exported";
            }
    }
}

TEST(FieldCaptions, MessagesNameAFieldByItsCaptionWithoutTheUnit)
{
    EXPECT_EQ(fc::caption_without_unit("row.width", fc::tables::param_list), "横桥向宽度");
    EXPECT_EQ(fc::caption_without_unit("row.count", fc::tables::param_list), "垫石个数");
    EXPECT_EQ(fc::caption_without_unit("gz.angle", fc::single_sheet), "斜交角");
    EXPECT_THROW(fc::caption_without_unit("row.width", fc::single_sheet), std::logic_error);
    EXPECT_THROW(fc::caption_at(fc::tables::overall, "m_no_such_key"), std::logic_error);
    EXPECT_THAT(fc::choices_at(fc::tables::common_settings, "m_strCompType"), testing::ElementsAre("桥墩", "桥台"));
}

TEST(FieldCaptions, AnImportedCaptionTheCatalogueDoesNotHoldIsAWarningNamingIt)
{
    // The drawing's own tables: no word about captions.
    for (const excel_table& exported : {single_export(), parametric_export()}) {
        excel_table read = exported;
        for (const std::string& warning : ds_app::check_read_table("t.xlsx", read, exported))
            EXPECT_THAT(warning, testing::Not(testing::HasSubstr("caption")));
    }

    excel_table single = single_export();
    single.push_back({"未知字段", "12"});
    excel_table read = single;
    EXPECT_THAT(ds_app::check_read_table("t.xlsx", read, single),
                testing::Contains(utf8(u8"cell A") + std::to_string(single.size()) +
                                  utf8(u8" \"未知字段\": no field of the host has this caption; its value is read unchecked")));

    excel_table parametric = parametric_export();
    const auto header = std::find_if(parametric.begin(), parametric.end(), [](const auto& row) { return row.size() > 3; });
    ASSERT_NE(header, parametric.end());
    header->push_back("备注");
    const std::string header_row = std::to_string(header - parametric.begin() + 1);
    read = parametric;
    EXPECT_THAT(ds_app::check_read_table("t.xlsx", read, parametric),
                testing::Contains("cell E" + header_row +
                                  utf8(u8" \"备注\": no field of the host has this caption; the list's values below it "
                                       u8"are read unchecked")));
}

}  // namespace
