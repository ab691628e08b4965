// SVG, DXF, PDF and HTML files of drawing sheets.
#include "app/core/sheet_output.h"

#include <fstream>
#include <stdexcept>

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

std::string quoted(const CString& title) { return "\"" + ds_text::to_utf8_for_display(title) + "\""; }

/// True when the file at `path` begins as the files of its kind this program writes do.
bool is_our_kind(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string head(4096, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    const std::string ext = path.extension().string();
    if (ext == ".svg") return head.starts_with("<?xml") && head.find("<svg") != std::string::npos;
    if (ext == ".dxf") return head.find("SECTION") != std::string::npos && head.find("HEADER") != std::string::npos;
    if (ext == ".pdf") return head.starts_with("%PDF-");
    if (ext == ".html") return head.starts_with("<!DOCTYPE html>");
    return false;
}

}  // namespace

void add_sheet_options(CLI::App& command, sheet_folders& folders)
{
    command.add_option("--svg", folders.svg, "folder to write one SVG file per sheet into");
    command.add_option("--dxf", folders.dxf, "folder to write one DXF file per sheet into");
    command.add_option("--html", folders.html, "folder to write the sheets and an index.html showing them into");
    command.add_option("--pdf", folders.pdf, "PDF file to write every sheet into, a page each");
    command.add_flag("--overwrite", folders.overwrite, "replace sheet files already there (never other files)");
}

sheet_output::sheet_output(sheet_folders folders, step_report& report)
    : m_folders(std::move(folders)), m_report(report)
{
    make_folder(m_folders.svg);
    make_folder(m_folders.dxf);
    make_folder(m_folders.html);
    if (!m_folders.pdf.empty()) {
        make_folder(m_folders.pdf.parent_path());
        may_write(m_folders.pdf, "PDF");
        m_pdf = std::make_unique<ds_sheet::pdf_book>(m_folders.pdf);
    }
}

sheet_output::~sheet_output() = default;

bool sheet_output::may_write(const std::filesystem::path& path, const CString& title)
{
    if (m_paths.contains(path)) return false;
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    if (!ec && std::filesystem::exists(status)) {
        if (!std::filesystem::is_regular_file(status))
            throw std::runtime_error("cannot write the sheet " + quoted(title) + " to " + path.string() +
                                     ": a folder, link or device of that name is in the way (not a regular file)");
        if (!m_folders.overwrite)
            throw std::runtime_error("the sheet " + quoted(title) + " would replace " + path.string() +
                                     ", which this command did not write; give --overwrite to replace it");
        if (!is_our_kind(path))
            throw std::runtime_error("will not replace " + path.string() + " with the sheet " + quoted(title) +
                                     ": it is not a " + path.extension().string() + " file this program writes");
    }
    m_paths.insert(path);
    return true;
}

void sheet_output::write_file(const ds_sheet::flat_sheet& flat, ds_sheet::sheet_format format,
                              const std::filesystem::path& folder, const std::string& stem)
{
    const ds_sheet::sheet_writer& writer = ds_sheet::writer_for(format);
    const std::filesystem::path path = folder / (stem + writer.extension());
    if (!may_write(path, flat.page->title)) return;
    try {
        writer.write(flat, path);
    } catch (const std::exception& e) {
        throw std::runtime_error("cannot write the sheet " + quoted(flat.page->title) + " to " + path.string() + ": " +
                                 e.what());
    }
    m_report.file(path.string());
}

void sheet_output::write(const CString& drawing, const std::vector<RXDSGNMOD::CRXPaper*>& papers)
{
    if (!m_folders.any()) return;
    using ds_sheet::sheet_format;
    for (const RXDSGNMOD::CRXPaper* paper : papers) {
        const ds_sheet::flat_sheet flat = ds_sheet::flatten_for_writers(paper->sheet);
        const std::string stem = m_names.claim(drawing, paper->title());
        for (const auto& [format, folder] : {std::pair{sheet_format::svg, m_folders.svg},
                                             std::pair{sheet_format::dxf, m_folders.dxf},
                                             std::pair{sheet_format::svg, m_folders.html},
                                             std::pair{sheet_format::dxf, m_folders.html}})
            if (!folder.empty()) write_file(flat, format, folder, stem);
        if (!m_folders.html.empty()) m_written.push_back({drawing, paper->title(), stem + ".svg", stem + ".dxf"});
        if (m_pdf) m_pdf->add(flat);
    }
}

void sheet_output::finish(const CString& heading)
{
    std::string pdf_link;
    if (m_pdf) {
        try {
            m_pdf->finish(heading);
        } catch (const std::exception& e) {
            throw std::runtime_error("cannot write the sheets' PDF " + m_folders.pdf.string() + ": " + e.what());
        }
        m_report.file(m_folders.pdf.string(), " (" + std::to_string(m_pdf->pages()) + " page(s))");
        if (!m_folders.html.empty())
            pdf_link = std::filesystem::absolute(m_folders.pdf).lexically_relative(std::filesystem::absolute(m_folders.html)).generic_string();
        m_pdf.reset();
    }
    if (m_folders.html.empty()) return;
    const std::filesystem::path page = m_folders.html / "index.html";
    may_write(page, heading);
    m_report.file(ds_sheet::write_html_index(m_folders.html, heading, m_written, pdf_link).string());
}

}  // namespace ds_app
