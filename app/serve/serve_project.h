// The project a `ds-host serve` session works on, and every step the page can
// take on it. Each step is one of ds-host's own commands run on the loaded
// project (grid edits through the observer, spreadsheet import, reference,
// merge, convert, dismantle), followed by the commands' atomic save, which
// writes the file only when its text changed. The HTTP side (serve_http) adds
// nothing but transport and access checks, so tests drive this class directly.
//
// Every drawing carries a version that changes with each change to it; a step
// that names an older version is refused with "reload", so two tabs cannot
// lose each other's edits. When the file on disk changes under the server
// (another ds-host command), every change is refused until the page reloads.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/core/project/app_context.h"
#include "app/serve/api_error.h"
#include "app/core/project/project_session.h"
#include "host/framework/graph_data_base.h"
#include "host/sheet_formats/sheet_formats.h"

namespace ds_app {

class served_project {
public:
    /// Loads the project file as every command does (its load warnings are kept for the page).
    served_project(app_context& context, std::filesystem::path file);
    ~served_project();

    /// The lock every request holds while it runs.
    std::mutex& lock() { return m_lock; }

    /// {"file", "changed_on_disk", "undo", "redo", "drawings": [{"tag","name","kind","version"}]}
    nlohmann::json state();
    /// A drawing's tables in `mode` ("common"/"advanced" for a single drawing; a
    /// parametric one always shows its list grid), version and, unless `sheet`
    /// is empty, its sheets (sheets_json) with sheet `sheet` drawn.
    nlohmann::json drawing(const std::string& tag, const std::string& mode, std::optional<std::size_t> sheet);
    nlohmann::json sheets(const std::string& tag, std::size_t sheet);

    /// The steps. Each request is an object; each answer holds the step's
    /// report (report_json: "lines" as the command line prints them, and the
    /// "warnings", "notes", "messages" and "files" apart) and the new "version"s.
    nlohmann::json add_drawing(const nlohmann::json& request);
    nlohmann::json edit(const nlohmann::json& request);
    nlohmann::json paste(const nlohmann::json& request);
    nlohmann::json set_many(const nlohmann::json& request);
    nlohmann::json project_table();
    nlohmann::json import_sheet(const nlohmann::json& request, const std::string& xlsx_bytes);
    nlohmann::json reference(const nlohmann::json& request);
    nlohmann::json method(const std::string& which, const nlohmann::json& request);
    nlohmann::json undo(bool redo);
    nlohmann::json reload();

    /// Files for download: one sheet in a format of single sheets (SVG, DXF), or the drawing's XLSX export.
    struct download {
        std::string name;
        std::string content_type;
        std::string bytes;
    };
    download sheet_download(const std::string& tag, std::size_t sheet, const ds_sheet::sheet_format& format);
    download xlsx_export(const std::string& tag);

    /// A folder of the server's own for the files the library writes and reads back.
    const std::filesystem::path& scratch() const { return m_scratch; }

private:
    /// An entry of the undo or redo list: the drawing and the stored form it goes back to.
    struct change {
        CString tag;
        nlohmann::ordered_json state;
    };
    struct disk_stamp {
        std::filesystem::file_time_type time{};
        std::uintmax_t size = 0;
        unsigned long inode = 0;
        bool operator==(const disk_stamp&) const = default;
    };

    graph_data_base& find(const std::string& tag);
    long version_of(const CString& tag) const;
    void bump(const CString& tag);
    /// Refuses with "reload" when the file changed on disk or `request` names an old version of `drawing`.
    void check_current(const graph_data_base& drawing, const nlohmann::json& request);
    void check_disk();
    disk_stamp stamp() const;
    /// Saves through the session (only when the text changed) and notes the file's new stamp.
    void save(step_report& report);
    /// Runs `step`, which reports to `report`, on `drawing`; when it throws, the
    /// drawing gets back what it held before and the step is refused. A change
    /// is saved and can be undone.
    nlohmann::json change_drawing(graph_data_base& drawing, step_report& report, const std::function<void()>& step);

    app_context& m_context;
    std::filesystem::path m_file;
    std::filesystem::path m_scratch;
    std::unique_ptr<project_session> m_session;
    std::vector<std::string> m_load_lines;
    disk_stamp m_stamp;
    std::map<CString, long> m_versions;
    long m_next_version = 1;
    long m_base_version = 1;
    std::vector<change> m_undo, m_redo;
    std::mutex m_lock;
};

}  // namespace ds_app
