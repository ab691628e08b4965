// The table of sheet formats: SVG, DXF, PDF and HTML with their writers.
#include "host/sheet_formats/sheet_formats.h"

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <string>
#include <unordered_map>

#include "host/sheet_dxf/dxf_sections.h"
#include "host/sheet_dxf/dxf_writer.h"
#include "host/sheet_html/html_index.h"
#include "host/sheet_pdf/pdf_writer.h"
#include "host/sheet_model/text_metrics.h"
#include "host/sheet_svg/svg_writer.h"
#include "host/text/encoding.h"

namespace ds_sheet {

const std::vector<sheet_format>& sheet_formats()
{
    static const std::vector<sheet_format> formats = {
        {.name = "svg", .label = "SVG", .extension = ".svg", .scope = sheet_scope::each_sheet,
         .option_help = "folder to write one SVG file per sheet into", .media_type = "image/svg+xml",
         .recognises = [](std::string_view head) { return head.starts_with("<?xml") && head.find("<svg") != head.npos; },
         .write_sheet = write_svg, .font_family = svg_first_font},
        {.name = "dxf", .label = "DXF", .extension = ".dxf", .scope = sheet_scope::each_sheet,
         .option_help = "folder to write one DXF file per sheet into", .media_type = "application/dxf",
         .recognises = [](std::string_view head) { return head.find("SECTION") != head.npos && head.find("HEADER") != head.npos; },
         .write_sheet = write_dxf, .font_family = dxf::text_family, .width_factor = dxf::width_factor,
         .height_is_cap_height = true},
        {.name = "pdf", .label = "PDF", .extension = ".pdf", .scope = sheet_scope::whole_set,
         .option_help = "PDF file to write every sheet into, a page each", .media_type = "application/pdf",
         .recognises = [](std::string_view head) { return head.starts_with("%PDF-"); }, .open_set = open_pdf_set,
         .font_family = pdf_font_family},
        {.name = "html", .label = "HTML", .extension = ".html", .scope = sheet_scope::whole_set,
         .option_help = "folder to write the sheets and an index.html showing them into", .media_type = "text/html",
         .set_file_name = html_index_name, .companions = {"svg", "dxf"},
         .recognises = [](std::string_view head) { return head.starts_with("<!DOCTYPE html>"); }, .open_set = open_html_set},
    };
    return formats;
}

namespace {

/// The widest advance of one character among the formats' fonts, measured once per character
/// (Pango is not for concurrent use); each thread keeps what it has asked for, so threads
/// laying out sheets side by side rarely meet at the lock.
double widest_advance(std::string_view one)
{
    thread_local std::unordered_map<std::string, double> asked;
    const std::string key(one);
    if (const auto seen = asked.find(key); seen != asked.end()) return seen->second;
    static std::mutex guard;
    static std::unordered_map<std::string, double> known;
    const std::lock_guard lock(guard);
    if (const auto found = known.find(key); found != known.end()) return asked[key] = found->second;
    double widest = 0.0;
    std::string utf8;
    try {
        utf8 = ds_text::to_utf8(CString(std::string(one).c_str()));
    } catch (const ds_text::conversion_error&) {
        utf8.clear();
    }
    if (!utf8.empty())
        for (const sheet_format& format : sheet_formats()) {
            if (format.font_family.empty()) continue;
            const std::string family(format.font_family);
            const double cap = format.height_is_cap_height ? font_cap_height_em(family.c_str()) : 1.0;
            if (cap > 0.0) widest = std::max(widest, font_advance_em(family.c_str(), utf8) / cap * format.width_factor);
        }
    if (!(widest > 0.0)) widest = estimated_advance(one);
    known.emplace(key, widest);
    return asked[key] = widest;
}

}  // namespace

void install_text_metrics() { set_advance_measure(widest_advance); }

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
