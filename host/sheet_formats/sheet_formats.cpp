// The table of sheet formats: SVG, DXF, PDF and HTML with their writers.
#include "host/sheet_formats/sheet_formats.h"

#include <stdexcept>

#include "host/sheet_dxf/dxf_writer.h"
#include "host/sheet_html/html_index.h"
#include "host/sheet_pdf/pdf_writer.h"
#include "host/sheet_svg/svg_writer.h"

namespace ds_sheet {

const std::vector<sheet_format>& sheet_formats()
{
    static const std::vector<sheet_format> formats = {
        {.name = "svg", .label = "SVG", .extension = ".svg", .scope = sheet_scope::each_sheet,
         .option_help = "folder to write one SVG file per sheet into", .media_type = "image/svg+xml",
         .recognises = [](std::string_view head) { return head.starts_with("<?xml") && head.find("<svg") != head.npos; },
         .write_sheet = write_svg},
        {.name = "dxf", .label = "DXF", .extension = ".dxf", .scope = sheet_scope::each_sheet,
         .option_help = "folder to write one DXF file per sheet into", .media_type = "application/dxf",
         .recognises = [](std::string_view head) { return head.find("SECTION") != head.npos && head.find("HEADER") != head.npos; },
         .write_sheet = write_dxf},
        {.name = "pdf", .label = "PDF", .extension = ".pdf", .scope = sheet_scope::whole_set,
         .option_help = "PDF file to write every sheet into, a page each", .media_type = "application/pdf",
         .recognises = [](std::string_view head) { return head.starts_with("%PDF-"); }, .open_set = open_pdf_set},
        {.name = "html", .label = "HTML", .extension = ".html", .scope = sheet_scope::whole_set,
         .option_help = "folder to write the sheets and an index.html showing them into", .media_type = "text/html",
         .set_file_name = html_index_name, .companions = {"svg", "dxf"},
         .recognises = [](std::string_view head) { return head.starts_with("<!DOCTYPE html>"); }, .open_set = open_html_set},
    };
    return formats;
}

std::string sheet_format_names()
{
    std::string names;
    for (const sheet_format& format : sheet_formats()) names += (names.empty() ? "" : ", ") + std::string(format.name);
    return names;
}

const sheet_format& sheet_format_named(std::string_view name)
{
    for (const sheet_format& format : sheet_formats())
        if (format.name == name) return format;
    throw std::out_of_range("no sheet format \"" + std::string(name) + "\"; the formats are " + sheet_format_names());
}

}  // namespace ds_sheet
