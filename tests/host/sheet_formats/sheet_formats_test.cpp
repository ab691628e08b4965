// The table of sheet formats: the names commands offer and how an unknown one
// is refused, which files each format owns up to (only those are ever
// replaced), and the whole-set writers driven through the table as the
// commands drive them.
#include "host/sheet_formats/sheet_formats.h"

#include <gtest/gtest.h>

#include <set>

#include "host/framework/atomic_file.h"
#include "support/temp_folder.h"

namespace ds_sheet {
namespace {

sheet small_sheet(const CString& title)
{
    sheet page;
    page.title = title;
    page.lines.push_back({{30, 30}, {200, 30}, layer::outline, 0.35});
    page.texts.push_back(make_text({40, 40}, 3.5, "N1"));
    return page;
}

TEST(SheetFormatTable, ListsEveryFormatOnceAndRefusesAnUnknownNameNamingTheKnownOnes)
{
    EXPECT_EQ(sheet_format_names(), "svg, dxf, pdf, html");
    std::set<std::string_view> names;
    for (const sheet_format& format : sheet_formats()) {
        EXPECT_TRUE(names.insert(format.name).second) << format.name;
        EXPECT_EQ(&sheet_format_named(format.name), &format);
        EXPECT_EQ(format.extension, "." + std::string(format.name));
        // Each format has the one writer its scope needs, and only companions that write a file per sheet.
        const bool each = format.scope == sheet_scope::each_sheet;
        EXPECT_EQ(format.write_sheet != nullptr, each) << format.name;
        EXPECT_EQ(format.open_set != nullptr, !each) << format.name;
        for (const std::string_view companion : format.companions)
            EXPECT_EQ(sheet_format_named(companion).scope, sheet_scope::each_sheet) << companion;
    }
    EXPECT_TRUE(sheet_format_named("html").takes_folder());
    EXPECT_FALSE(sheet_format_named("pdf").takes_folder());
    try {
        sheet_format_named("dwg");
        ADD_FAILURE() << "an unknown format was found";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "no sheet format \"dwg\"; the formats are svg, dxf, pdf, html");
    }
}

using SheetFormatFiles = ds_test::temp_folder_test;

TEST_F(SheetFormatFiles, EachFormatOwnsUpToItsOwnFilesOnly)
{
    const sheet page = small_sheet("S");
    const flat_sheet flat = flatten_for_writers(page);
    std::vector<std::pair<const sheet_format*, std::string>> written;
    for (const sheet_format& format : sheet_formats()) {
        const std::string name = format.set_file_name.empty() ? "s" + std::string(format.extension)
                                                               : std::string(format.set_file_name);
        const std::filesystem::path file = m_dir / name;
        if (format.write_sheet) {
            format.write_sheet(flat, file);
        } else {
            const auto writer = format.open_set(file);
            writer->add(flat, {"D", {}});
            writer->finish("T", {});
        }
        written.emplace_back(&format, ds_file::read_whole_file(file).substr(0, 4096));
    }
    const std::string project = "{\"nodes\": [], \"note\": \"<svg> %PDF-\"}";
    for (const sheet_format& format : sheet_formats()) {
        for (const auto& [other, head] : written)
            EXPECT_EQ(format.recognises(head), other == &format) << format.name << " reading " << other->name;
        EXPECT_FALSE(format.recognises(project)) << format.name;
    }
}

TEST_F(SheetFormatFiles, TheHtmlPageShowsTheSvgLinksTheDxfAndThePdfFinishedBeforeIt)
{
    const sheet page = small_sheet("S");
    const flat_sheet flat = flatten_for_writers(page);
    const sheet_format& pdf = sheet_format_named("pdf");
    const sheet_format& html = sheet_format_named("html");
    std::filesystem::create_directories(m_dir / "out");

    const auto book = pdf.open_set(m_dir / "all.pdf");
    const auto index = html.open_set(m_dir / "out" / html.set_file_name);
    for (const auto& writer : {book.get(), index.get()}) {
        writer->add(flat, {"D", {"s.dxf", "s.svg"}});
        writer->add(flat, {"D", {"t.svg", "t.dxf"}});
    }
    EXPECT_EQ(book->finish("T", {}), "2 page(s)");
    EXPECT_EQ(index->finish("T", {m_dir / "all.pdf"}), "");

    const std::string text = ds_file::read_whole_file(m_dir / "out" / "index.html");
    EXPECT_NE(text.find("<a href=\"../all.pdf\">PDF</a>"), std::string::npos) << text;
    EXPECT_NE(text.find("<img src=\"s.svg\""), std::string::npos) << text;
    EXPECT_NE(text.find("<a href=\"s.dxf\">DXF</a>"), std::string::npos) << text;
    EXPECT_NE(text.find("<img src=\"t.svg\""), std::string::npos) << text;
}

}  // namespace
}  // namespace ds_sheet
