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
//
// Undo belongs to the tab that made the change: each request names its tab
// ("tab", an id the page makes and keeps for the tab's life), each tab has its
// own undo and redo lists, and an undo that would overwrite a later change of
// another tab is refused with the reason.
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
#include "app/core/grid/grid_session.h"
#include "app/core/project/project_session.h"
#include "app/core/project/workspace.h"
#include "app/serve/api_error.h"
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

    /// {"file", "changed_on_disk", "undo", "redo", "drawings": [{"tag","name","kind","version"}]};
    /// "undo" and "redo" count the steps of the tab `tab`.
    nlohmann::json state(const std::string& tab = {});
    /// A drawing's tables in `mode` ("common"/"advanced" for a single drawing; a
    /// parametric one always shows its list grid), version and, unless `sheet`
    /// is empty, its sheets (sheets_json) with sheet `sheet` drawn.
    nlohmann::json drawing(const std::string& tag, const std::string& mode, std::optional<std::size_t> sheet);
    nlohmann::json sheets(const std::string& tag, std::size_t sheet);

    /// The steps. Each request is an object; each answer holds the step's
    /// report (report_json: "lines" as the command line prints them, and the
    /// "warnings", "notes", "messages" and "files" apart) and the new "version"s.
    /// A request's "tab" names the tab whose undo list gets the change.
    /// An edit's answer brings the drawing's sheet and, when the page showed
    /// the tables of the version it edited, only the rows and cells that
    /// changed ("patch", tables_patch) instead of every table.
    nlohmann::json add_drawing(const nlohmann::json& request);
    nlohmann::json edit(const nlohmann::json& request);
    nlohmann::json paste(const nlohmann::json& request);
    nlohmann::json set_many(const nlohmann::json& request);
    nlohmann::json project_table();
    /// Imports an uploaded workbook, XLSX or CSV as the request's "name" ends.
    nlohmann::json import_sheet(const nlohmann::json& request, const std::string& bytes);
    nlohmann::json reference(const nlohmann::json& request);
    nlohmann::json method(const std::string& which, const nlohmann::json& request);
    /// Takes back (or, with `redo`, makes again) the last change of the request's
    /// tab. Refused (422) when the tab has none, or when a drawing it touches
    /// changed since in another tab (the reason names it).
    nlohmann::json undo(const nlohmann::json& request, bool redo);
    nlohmann::json reload();

    /// The structure table (墩台表): {"columns" (caption, letter and the field
    /// catalogue's description), "lines" ({"structure", "cells"}), "structures"
    /// ({"name", "first_line", "lines", "drawings": [{"name", "stale",
    /// "refreshable", "why_not"}]}), "version"}. The version is a text that
    /// every change to a structure renews.
    nlohmann::json structures();
    /// The table's steps, each run as the bridge commands run it and undone as
    /// a drawing's edit is: a cell {"version", "line", "column", "value"}; a
    /// block {"version", "line", "column", "text"}; a structure added
    /// {"values": a text per column, "rows": [1, 2]}; one removed
    /// {"structure", "force"}; every stale drawing refreshed. Each answers the
    /// report and the table as it is now ("structures").
    nlohmann::json structure_edit(const nlohmann::json& request);
    nlohmann::json structure_paste(const nlohmann::json& request);
    nlohmann::json structure_add(const nlohmann::json& request);
    nlohmann::json structure_remove(const nlohmann::json& request);
    nlohmann::json structure_refresh(const nlohmann::json& request);

    /// Files for download: one sheet in a format of single sheets (SVG, DXF), or the drawing's XLSX export.
    struct download {
        std::string name;
        std::string content_type;
        std::string bytes;
    };
    download sheet_download(const std::string& tag, std::size_t sheet, const ds_sheet::sheet_format& format);
    download xlsx_export(const std::string& tag);

    /// The project's drawing set, as `ds-host sheets` draws it, into the
    /// server's scratch folder: {"drawings", "sheets", "failed": [names],
    /// "lines", ...report}. Its PDF and a zip of its DXF files are then
    /// set_pdf() and set_cad(); before a set was built they are refused (404).
    nlohmann::json build_set();
    /// How far the set being built has come, {"building", "drawings_done",
    /// "drawings", "sheets_written", "sheets"}; needs no lock (read while the
    /// build holds the project's).
    nlohmann::json set_build_progress() const;
    download set_pdf();
    download set_cad();

    /// A folder of the server's own for the files the library writes and reads back.
    const std::filesystem::path& scratch() const { return m_scratch; }

private:
    /// An entry of a tab's undo or redo list: the stored forms drawings go back
    /// to, the drawings the step added (taken out again) and those an undo took
    /// out (put back by a redo), with each one's version right after the step.
    struct change {
        struct restore {
            CString tag;
            nlohmann::ordered_json state;
        };
        std::vector<restore> restores;
        std::vector<CString> added;
        std::vector<std::shared_ptr<workspace::taken_node>> taken;
        std::map<CString, long> before;    ///< each drawing's version before the step
        std::map<CString, long> versions;  ///< and right after it
    };
    struct history {
        std::vector<change> undo, redo;
        long used = 0;  ///< when the tab last changed something, to forget the longest idle tab first
    };
    /// The tables the page was last given for a drawing and grid, to answer an edit with what changed.
    struct shown_tables {
        long version = 0;
        nlohmann::json tables;
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
    nlohmann::json change_drawing(graph_data_base& drawing, step_report& report, const std::function<void()>& step,
                                  const nlohmann::json& request);
    /// Puts `step` on the undo list of the request's tab, ends its redo list and
    /// gives every drawing the step touched a new version.
    void record(const nlohmann::json& request, change step);
    /// Gives each drawing `step` touches a new version, noted in `step`.
    void bump_all(change& step);
    /// After `undone` was applied as `inverse`: the steps of every tab that
    /// expect a drawing at the version `undone` brought it back to expect its new one.
    void carry_versions(const change& undone, const change& inverse);
    /// Why `step` cannot be applied now, or "" when it can.
    std::string conflict(const change& step);
    /// Applies `step` (reporting to `report`) and returns its inverse.
    change apply(change& step, step_report& report);
    /// structures(), throwing what the table's reader throws.
    nlohmann::json structures_table();
    /// The structure table's version: every structure's tag and version.
    std::string structures_version() const;
    /// Refuses with "reload" when the file changed on disk or `request` names an older structure table.
    void check_structures_current(const nlohmann::json& request);
    /// Runs a step on the structures (or the drawings on them), which returns
    /// the structures it took out; saves, and records the step for undo.
    nlohmann::json change_structures(const nlohmann::json& request,
                                     const std::function<std::vector<workspace::taken_node>(step_report&)>& step);
    /// The grid tables of `drawing` in `mode`, kept as shown at its version.
    const nlohmann::json& tables_shown(graph_data_base& drawing, grid_mode mode);

    app_context& m_context;
    std::filesystem::path m_file;
    std::filesystem::path m_scratch;
    std::unique_ptr<project_session> m_session;
    std::vector<std::string> m_load_lines;
    disk_stamp m_stamp;
    std::map<CString, long> m_versions;
    long m_next_version = 1;
    long m_base_version = 1;
    std::map<std::string, history> m_histories;
    long m_history_clock = 0;
    std::map<std::pair<CString, int>, shown_tables> m_shown;
    std::mutex m_lock;
    /// The drawing set's progress, apart from m_lock, which its build holds.
    mutable std::mutex m_set_lock;
    nlohmann::json m_set_progress = nlohmann::json{{"building", false}};
};

}  // namespace ds_app
