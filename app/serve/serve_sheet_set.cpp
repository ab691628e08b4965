// The project's drawing set in the page: built into the server's scratch
// folder exactly as `ds-host sheets` builds it (contents, numbers through the
// set, outline), its progress readable while it runs, then offered as the one
// PDF to print and sign and a zip of the DXF files for CAD.
#include "app/serve/serve_project.h"

#include <zip.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "app/core/drawing/parallel_for.h"
#include "app/core/drawing/sheet_set.h"
#include "app/serve/serve_report.h"
#include "host/text/encoding.h"

namespace ds_app {

using nlohmann::json;

namespace {

std::filesystem::path set_folder(const std::filesystem::path& scratch) { return scratch / "set"; }

/// The set's formats for the page: the PDF and the DXF files.
std::vector<bool> page_set_formats()
{
    std::vector<bool> chosen;
    for (const ds_sheet::sheet_format& format : ds_sheet::sheet_formats())
        chosen.push_back(format.name == "pdf" || format.name == "dxf");
    return chosen;
}

std::string bytes_of(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw api_error(404, "missing", "build the drawing set first");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// The files of `folder` ending in `extension`, by name.
std::vector<std::filesystem::path> files_ending(const std::filesystem::path& folder, const std::string& extension)
{
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.is_regular_file() && entry.path().extension() == extension) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

/// A zip of `files` at `zip_path` (their names alone, UTF-8), read back.
std::string zipped(const std::vector<std::filesystem::path>& files, const std::filesystem::path& zip_path)
{
    int error = 0;
    zip_t* archive = zip_open(zip_path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) throw std::runtime_error("cannot make the zip of the set's CAD files (libzip error " + std::to_string(error) + ")");
    for (const std::filesystem::path& file : files) {
        zip_source_t* source = zip_source_file(archive, file.c_str(), 0, 0);  // 0: to the end of the file
        if (!source || zip_file_add(archive, file.filename().c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
            if (source) zip_source_free(source);
            zip_discard(archive);
            throw std::runtime_error("cannot add " + file.filename().string() + " to the zip of the set's CAD files");
        }
    }
    if (zip_close(archive) < 0) {
        zip_discard(archive);
        throw std::runtime_error("cannot write the zip of the set's CAD files");
    }
    return bytes_of(zip_path);
}

}  // namespace

json served_project::build_set()
{
    set_request request;
    request.folder = set_folder(m_scratch);
    request.formats = page_set_formats();
    request.threads = available_threads();
    request.progress = [this](const set_progress& p) {
        const std::lock_guard hold(m_set_lock);
        m_set_progress = {{"building", true}, {"drawings_done", p.drawings_done}, {"drawings", p.drawings},
                          {"sheets_written", p.sheets_written}, {"sheets", p.sheets}};
    };
    {
        const std::lock_guard hold(m_set_lock);
        m_set_progress = {{"building", true}, {"drawings_done", 0}, {"drawings", 0}, {"sheets_written", 0}, {"sheets", 0}};
    }
    step_report report;
    set_outcome outcome;
    try {
        outcome = write_sheet_set(m_session->project(), request, report);
    } catch (...) {
        const std::lock_guard hold(m_set_lock);
        m_set_progress["building"] = false;
        throw;
    }
    {
        const std::lock_guard hold(m_set_lock);
        m_set_progress["building"] = false;
    }
    json answer = report_json(report);
    answer["drawings"] = outcome.drawings;
    answer["sheets"] = outcome.sheets;
    answer["failed"] = json::array();
    for (const CString& name : outcome.failed) answer["failed"].push_back(ds_text::to_utf8_for_display(name));
    return answer;
}

json served_project::set_build_progress() const
{
    const std::lock_guard hold(m_set_lock);
    return m_set_progress;
}

served_project::download served_project::set_pdf()
{
    return {"sheets.pdf", "application/pdf", bytes_of(set_folder(m_scratch) / set_pdf_name)};
}

served_project::download served_project::set_cad()
{
    const std::vector<std::filesystem::path> dxf = files_ending(set_folder(m_scratch), ".dxf");
    if (dxf.empty()) throw api_error(404, "missing", "build the drawing set first");
    return {"sheets-dxf.zip", "application/zip", zipped(dxf, m_scratch / "sheets-dxf.zip")};
}

}  // namespace ds_app
