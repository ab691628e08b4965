// Drawing sheets written in every format asked for, and the files of the whole set.
#include "app/core/drawing/sheet_output.h"

#include <fstream>
#include <stdexcept>

#include "host/text/encoding.h"

namespace ds_app {

namespace {

using ds_sheet::sheet_format;
using ds_sheet::sheet_formats;

std::string quoted(const CString& title) { return "\"" + ds_text::to_utf8_for_display(title) + "\""; }

}  // namespace

void make_folder(const std::filesystem::path& folder)
{
    if (folder.empty()) return;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) throw std::runtime_error("cannot make the folder " + folder.string() + ": " + ec.message());
}

bool is_our_kind(const std::filesystem::path& path, const sheet_format& format)
{
    std::ifstream in(path, std::ios::binary);
    std::string head(4096, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return format.recognises(head);
}

bool sheet_folders::any() const
{
    for (const std::filesystem::path& target : targets)
        if (!target.empty()) return true;
    return false;
}

void add_sheet_options(CLI::App& command, sheet_folders& folders)
{
    for (std::size_t i = 0; i < sheet_formats().size(); ++i)
        command.add_option("--" + std::string(sheet_formats()[i].name), folders.targets[i],
                           std::string(sheet_formats()[i].option_help));
    command.add_flag("--overwrite", folders.overwrite, "replace sheet files already there (never other files)");
}

sheet_output::sheet_output(sheet_folders folders, step_report& report)
    : m_folders(std::move(folders)), m_report(report)
{
    for (std::size_t i = 0; i < sheet_formats().size(); ++i)
        if (sheet_formats()[i].takes_folder()) make_folder(m_folders.targets[i]);
    for (std::size_t i = 0; i < sheet_formats().size(); ++i) {
        const sheet_format& format = sheet_formats()[i];
        const std::filesystem::path& target = m_folders.targets[i];
        if (format.scope != ds_sheet::sheet_scope::whole_set || target.empty()) continue;
        if (format.takes_folder()) {
            // The file's name is the format's own, so it is checked when it is written, under the set's heading.
            const std::filesystem::path file = target / format.set_file_name;
            m_sets.push_back({&format, file, format.open_set(file)});
            continue;
        }
        make_folder(target.parent_path());
        may_write(target, CString(std::string(format.label).c_str()), format);
        m_sets.push_back({&format, target, format.open_set(target)});
    }
}

sheet_output::~sheet_output() = default;

bool sheet_output::may_write(const std::filesystem::path& path, const CString& title, const sheet_format& format)
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
        if (!is_our_kind(path, format))
            throw std::runtime_error("will not replace " + path.string() + " with the sheet " + quoted(title) +
                                     ": it is not a " + path.extension().string() + " file this program writes");
    }
    m_paths.insert(path);
    return true;
}

void sheet_output::write_file(const ds_sheet::flat_sheet& flat, const sheet_format& format,
                              const std::filesystem::path& folder, const std::string& stem)
{
    const std::filesystem::path path = folder / (stem + std::string(format.extension));
    if (!may_write(path, flat.page->title, format)) return;
    try {
        format.write_sheet(flat, path);
    } catch (const std::exception& e) {
        throw std::runtime_error("cannot write the sheet " + quoted(flat.page->title) + " to " + path.string() + ": " +
                                 e.what());
    }
    m_report.file(path.string());
}

void sheet_output::write(const CString& drawing, const std::vector<RXDSGNMOD::CRXPaper*>& papers)
{
    if (!m_folders.any()) return;
    for (const RXDSGNMOD::CRXPaper* paper : papers) {
        const ds_sheet::flat_sheet flat = ds_sheet::flatten_for_writers(paper->sheet);
        const std::string stem = m_names.claim(drawing, paper->title());
        for (std::size_t i = 0; i < sheet_formats().size(); ++i) {
            const sheet_format& format = sheet_formats()[i];
            const std::filesystem::path& target = m_folders.targets[i];
            if (target.empty()) continue;
            if (format.scope == ds_sheet::sheet_scope::each_sheet) write_file(flat, format, target, stem);
            for (const std::string_view companion : format.companions)
                write_file(flat, ds_sheet::sheet_format_named(companion), target, stem);
        }
        for (const set_output& set : m_sets) {
            ds_sheet::set_sheet entry{drawing, {}};
            for (const std::string_view companion : set.format->companions)
                entry.files.push_back(stem + std::string(ds_sheet::sheet_format_named(companion).extension));
            set.writer->add(flat, entry);
        }
    }
}

void sheet_output::finish(const CString& heading)
{
    std::vector<std::filesystem::path> finished;
    for (set_output& set : m_sets) {
        if (set.format->takes_folder()) may_write(set.file, heading, *set.format);
        std::string note;
        try {
            note = set.writer->finish(heading, finished);
        } catch (const std::exception& e) {
            throw std::runtime_error("cannot write the sheets' " + std::string(set.format->label) + " " +
                                     set.file.string() + ": " + e.what());
        }
        m_report.file(set.file.string(), note.empty() ? "" : " (" + note + ")");
        finished.push_back(set.file);
        set.writer.reset();
    }
    m_sets.clear();
}

}  // namespace ds_app
