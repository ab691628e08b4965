// The served project: loading, versions, the disk watch, saving, undo and redo,
// and the cell edits of the grid tables.
#include "app/serve/serve_project.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "app/core/grid/grid_session.h"
#include "app/core/project/node_view.h"
#include "app/core/project/runtime_objects.h"
#include "app/serve/serve_report.h"
#include "app/serve/serve_request.h"
#include "app/serve/serve_sheets.h"
#include "app/serve/serve_tables.h"
#include "app/core/exchange/spreadsheet_exchange.h"
#include "host/framework/parameters_graph_data_base.h"
#include "host/text/encoding.h"

namespace ds_app {

using nlohmann::json;

namespace {

/// Drawings whose shown tables are kept to answer edits with what changed (the ones open in pages).
constexpr std::size_t max_shown_tables = 8;

std::filesystem::path make_scratch()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "ds-serve-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder under " + pattern);
    return pattern;
}

std::string read_bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

served_project::served_project(app_context& context, std::filesystem::path file)
    : m_context(context), m_file(std::move(file)), m_scratch(make_scratch())
{
    step_report report;
    m_session = std::make_unique<project_session>(m_context, m_file, report);
    m_load_lines = report_json(report)["lines"];
    m_stamp = stamp();
}

served_project::~served_project()
{
    std::error_code ec;
    std::filesystem::remove_all(m_scratch, ec);
}

served_project::disk_stamp served_project::stamp() const
{
    struct stat info {};
    if (::stat(m_file.c_str(), &info) != 0) return {};
    disk_stamp s;
    s.time = std::filesystem::file_time_type(std::chrono::seconds(info.st_mtim.tv_sec) +
                                             std::chrono::nanoseconds(info.st_mtim.tv_nsec));
    s.size = static_cast<std::uintmax_t>(info.st_size);
    s.inode = static_cast<unsigned long>(info.st_ino);
    return s;
}

void served_project::check_disk()
{
    if (stamp() != m_stamp)
        throw api_error(409, "reload", "the project file changed on disk (another command wrote it); reload to see "
                                       "it. Nothing was written.");
}

graph_data_base& served_project::find(const std::string& tag)
{
    const CString wanted = ds_text::from_utf8(tag);
    for (const auto& node : m_session->project().nodes())
        if (node->get_node_tag() == wanted)
            if (auto* drawing = dynamic_cast<graph_data_base*>(node.get())) return *drawing;
    throw api_error(404, "missing", "the project has no drawing tagged \"" + tag + "\"; reload");
}

long served_project::version_of(const CString& tag) const
{
    const auto it = m_versions.find(tag);
    return it == m_versions.end() ? m_base_version : it->second;
}

void served_project::bump(const CString& tag) { m_versions[tag] = ++m_next_version; }

void served_project::check_current(const graph_data_base& drawing, const json& request)
{
    check_disk();
    if (request_number(request, "version") != version_of(drawing.get_node_tag()))
        throw api_error(409, "reload", "the drawing changed since the page showed it (another tab or step); reload "
                                       "it. Nothing was written.");
}

void served_project::save(step_report& report)
{
    m_session->finish(report);
    m_stamp = stamp();
}

json served_project::change_drawing(graph_data_base& drawing, step_report& report, const std::function<void()>& step,
                                    const json& request)
{
    auto before = stored_form(drawing);
    const disk_stamp unchanged = m_stamp;
    try {
        step();
        save(report);  // writes only when the project's text changed
    } catch (const std::exception& e) {
        read_stored_form(drawing, before);
        if (const auto* refused = dynamic_cast<const api_error*>(&e)) throw *refused;
        throw refused_step(e, report);
    }
    // Every change is saved as it is made, so the file was written exactly when this step changed the drawing.
    const bool changed = m_stamp != unchanged;
    if (changed) {
        change undo;
        undo.restores.push_back({drawing.get_node_tag(), std::move(before)});
        record(request, std::move(undo));
    }
    json answer = report_json(report);
    answer["changed"] = changed;
    answer["version"] = version_of(drawing.get_node_tag());
    return answer;
}

const json& served_project::tables_shown(graph_data_base& drawing, grid_mode mode)
{
    const long version = version_of(drawing.get_node_tag());
    if (m_shown.size() >= max_shown_tables) m_shown.clear();  // pages open on that many drawings are rare
    shown_tables& shown = m_shown[{drawing.get_node_tag(), static_cast<int>(mode)}];
    if (shown.version != version || shown.tables.is_null()) shown = {version, grid_tables_json(drawing, mode)};
    return shown.tables;
}

json served_project::state(const std::string& tab)
{
    const auto it = m_histories.find(tab);
    json drawings = json::array();
    for (const auto& node : m_session->project().nodes())
        drawings.push_back({{"tag", ds_text::to_utf8(node->get_node_tag())},
                            {"name", ds_text::to_utf8_for_display(node->get_node_name())},
                            {"kind", drawing_kind(*node)},
                            {"version", version_of(node->get_node_tag())}});
    return {{"file", m_file.string()}, {"changed_on_disk", stamp() != m_stamp}, {"undo", it == m_histories.end() ? 0 : it->second.undo.size()},
            {"redo", it == m_histories.end() ? 0 : it->second.redo.size()}, {"load_lines", m_load_lines}, {"drawings", drawings}};
}

json served_project::drawing(const std::string& tag, const std::string& mode, std::optional<std::size_t> sheet)
{
    graph_data_base& d = find(tag);
    json answer{{"tag", tag}, {"name", ds_text::to_utf8_for_display(d.get_node_name())}, {"kind", drawing_kind(d)},
                {"version", version_of(d.get_node_tag())}, {"tables", tables_shown(d, mode_for(d, mode))}};
    if (sheet) answer["sheets"] = sheets_json(d, *sheet);
    return answer;
}

json served_project::sheets(const std::string& tag, std::size_t sheet) { return sheets_json(find(tag), sheet); }

json served_project::edit(const json& request)
{
    graph_data_base& d = find(request_text(request, "tag"));
    check_current(d, request);
    const grid_mode mode = mode_for(d, request.value("mode", ""));
    const table_edit cell = edit_of(request, "page");
    // The tables as the page shows them, when they are at hand: the answer then holds only what changed.
    const auto kept = m_shown.find({d.get_node_tag(), static_cast<int>(mode)});
    json shown = kept != m_shown.end() && kept->second.version == version_of(d.get_node_tag())
                     ? std::move(kept->second.tables)
                     : json();
    step_report report;
    json answer = change_drawing(d, report, [&] { run_grid(d, mode, {cell}, report, false); }, request);
    if (answer["changed"] || shown.is_null()) {
        const json& now = tables_shown(d, mode);
        json patch = shown.is_null() ? json() : tables_patch(shown, now);
        if (patch.is_null()) answer["tables"] = now;
        else answer["patch"] = std::move(patch);
    } else {
        answer["patch"] = json::array();
    }
    answer["sheets"] = sheets_json(d, request.value("sheet", 0u));
    return answer;
}

json served_project::reload()
{
    step_report report;
    auto fresh = std::make_unique<project_session>(m_context, m_file, report);
    m_session = std::move(fresh);
    m_load_lines = report_json(report)["lines"];
    m_stamp = stamp();
    m_histories.clear();
    m_shown.clear();
    m_versions.clear();
    m_base_version = ++m_next_version;
    return {{"lines", m_load_lines}};
}

served_project::download served_project::sheet_download(const std::string& tag, std::size_t sheet,
                                                        const ds_sheet::sheet_format& format)
{
    try {
        sheet_file_bytes file = one_sheet_file(find(tag), sheet, format, m_scratch.string());
        return {file.name, std::string(format.media_type), std::move(file.bytes)};
    } catch (const std::out_of_range& e) {
        throw api_error(404, "missing", e.what());
    }
}

served_project::download served_project::xlsx_export(const std::string& tag)
{
    graph_data_base& d = find(tag);
    step_report report;  // the download is the answer; what the export reports is not shown
    const std::filesystem::path path = m_scratch / "export.xlsx";
    run_export(d, sheet_file_of(path, "xlsx"), report);
    download file{ds_text::to_utf8(d.get_node_name()) + ".xlsx",
                  "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet", read_bytes(path)};
    std::filesystem::remove(path);
    return file;
}

json served_project::import_sheet(const json& request, const std::string& bytes)
{
    graph_data_base& d = find(request_text(request, "tag"));
    check_current(d, request);
    // The format goes by the name the file had on the engineer's machine, as the command line's --csv and --xlsx.
    const std::string given = request.value("name", std::string());
    const bool csv = given.size() >= 4 && (given.compare(given.size() - 4, 4, ".csv") == 0 ||
                                           given.compare(given.size() - 4, 4, ".CSV") == 0);
    const std::string format = csv ? "csv" : "xlsx";
    const std::filesystem::path path = m_scratch / ("upload." + format);
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!file) throw std::runtime_error("cannot keep the uploaded file in the scratch folder");
    }
    step_report report;
    const auto import = [&] { run_import(d, sheet_file_of(path, format), report); };
    // The messages name the file as the person knows it, not the scratch copy.
    const std::string shown_name = request.value("name", std::string("the uploaded workbook"));
    const auto rename = [&](std::string text) {
        for (std::size_t at; (at = text.find(path.string())) != std::string::npos;)
            text.replace(at, path.string().size(), shown_name);
        return text;
    };
    const auto rename_texts = [&](json texts) {
        for (auto& [key, value] : texts.items()) {
            if (value.is_string()) value = rename(value.get<std::string>());
            if (value.is_array())
                for (auto& text : value)
                    if (text.is_string()) text = rename(text.get<std::string>());
        }
        return texts;
    };
    json answer;
    try {
        if (request.value("apply", false)) {
            answer = change_drawing(d, report, import, request);
        } else {
            const auto before = stored_form(d);
            try {
                import();
            } catch (const std::exception& e) {
                read_stored_form(d, before);
                throw refused_step(e, report);
            }
            read_stored_form(d, before);
            answer = report_json(report);
            answer["changed"] = false;
            answer["version"] = version_of(d.get_node_tag());
        }
    } catch (const api_error& e) {
        std::filesystem::remove(path);
        throw api_error(e.status, e.code, rename(e.what()), rename_texts(json{{"lines", e.lines}})["lines"],
                        rename_texts(e.details));
    }
    std::filesystem::remove(path);
    answer = rename_texts(answer);
    answer["dry_run"] = !request.value("apply", false);
    return answer;
}

}  // namespace ds_app
