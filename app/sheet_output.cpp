// SVG, DXF and HTML files of drawing sheets.
#include "app/sheet_output.h"

#include <algorithm>

#include "app/console.h"
#include "host/drawing_lib/dxf_writer.h"
#include "host/drawing_lib/svg_writer.h"
#include "host/text/encoding.h"

namespace ds_app {

namespace {

void make_folder(const std::filesystem::path& folder)
{
    if (folder.empty()) return;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) throw std::runtime_error("cannot make the folder " + folder.string() + ": " + ec.message());
}

void write_one(const std::filesystem::path& folder, const std::string& name, const ds_sheet::sheet& page, bool svg)
{
    const std::filesystem::path path = folder / name;
    if (svg) ds_sheet::write_svg(page, path);
    else ds_sheet::write_dxf(page, path);
    say_utf8("  wrote " + shown_utf8(path.string()));
}

}  // namespace

void add_sheet_options(CLI::App& command, sheet_folders& folders)
{
    command.add_option("--svg", folders.svg, "folder to write one SVG file per sheet into");
    command.add_option("--dxf", folders.dxf, "folder to write one DXF file per sheet into");
    command.add_option("--html", folders.html, "folder to write the sheets and an index.html showing them into");
}

sheet_output::sheet_output(sheet_folders folders) : m_folders(std::move(folders))
{
    make_folder(m_folders.svg);
    make_folder(m_folders.dxf);
    make_folder(m_folders.html);
}

std::string sheet_output::file_stem(const CString& drawing, const CString& title)
{
    std::string stem = ds_text::to_utf8(title);
    std::replace(stem.begin(), stem.end(), '/', '-');
    if (stem.empty() || stem[0] == '.') stem = "sheet" + stem;
    if (!m_used.insert(stem).second) {
        std::string prefixed = ds_text::to_utf8(drawing) + "-" + stem;
        std::replace(prefixed.begin(), prefixed.end(), '/', '-');
        for (int n = 2; !m_used.insert(prefixed).second; ++n) prefixed = stem + " (" + std::to_string(n) + ")";
        stem = prefixed;
    }
    return stem;
}

void sheet_output::write(const CString& drawing, const std::vector<RXDSGNMOD::CRXPaper*>& papers)
{
    if (!m_folders.any()) return;
    for (const RXDSGNMOD::CRXPaper* paper : papers) {
        const std::string stem = file_stem(drawing, paper->title());
        if (!m_folders.svg.empty()) write_one(m_folders.svg, stem + ".svg", paper->sheet, true);
        if (!m_folders.dxf.empty()) write_one(m_folders.dxf, stem + ".dxf", paper->sheet, false);
        if (!m_folders.html.empty()) {
            if (m_folders.html != m_folders.svg) write_one(m_folders.html, stem + ".svg", paper->sheet, true);
            if (m_folders.html != m_folders.dxf) write_one(m_folders.html, stem + ".dxf", paper->sheet, false);
            m_written.push_back({drawing, paper->title(), stem + ".svg", stem + ".dxf"});
        }
    }
}

void sheet_output::finish(const CString& heading)
{
    if (m_folders.html.empty()) return;
    say_utf8("  wrote " + shown_utf8(ds_sheet::write_html_index(m_folders.html, heading, m_written).string()));
}

}  // namespace ds_app
