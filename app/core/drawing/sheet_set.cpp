// Drawing, numbering and writing the set of sheets of a project.
#include "app/core/drawing/sheet_set.h"

#include <algorithm>
#include <condition_variable>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <tuple>
#include <utility>

#include "app/core/drawing/drawing_output.h"
#include "app/core/project/facts_step.h"
#include "app/core/drawing/parallel_for.h"
#include "app/core/project/runtime_objects.h"
#include "host/drawing_lib/rx_component_dsgj.h"
#include "host/drawing_lib/sheet_layout.h"
#include "host/framework/atomic_file.h"
#include "host/framework/string_tools.h"
#include "host/sheet_formats/sheet_formats.h"
#include "host/sheet_model/contents_sheet.h"
#include "host/sheet_model/sheet_file_name.h"
#include "host/text/encoding.h"

namespace ds_app {

namespace {

using ds_sheet::sheet_format;
using ds_sheet::sheet_formats;

/// One drawing of the set: its component, made on the caller's thread (the
/// module's objects are not made for threads), and the sheets drawn from it.
struct set_drawing {
    CString name;
    double cover = 0.0;
    std::shared_ptr<RXDSGNMOD::CRXComponent> owner;
    VQDraw_DS_GJNA::CRXComponent_DSGJ* component = nullptr;
    std::vector<ds_sheet::sheet> sheets;
    bool passed = false;
};

/// One sheet of the numbered set and where its files go.
struct set_page {
    ds_sheet::sheet* page = nullptr;
    CString drawing;
    CString outline;  ///< the drawing's outline entry, on its first sheet
    std::string stem;
};

/// Names as a person orders them: "d2" before "d10" (runs of digits by their value).
bool natural_less(std::string_view a, std::string_view b)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            const std::size_t i0 = i, j0 = j;
            while (i < a.size() && digit(a[i])) ++i;
            while (j < b.size() && digit(b[j])) ++j;
            std::string_view x = a.substr(i0, i - i0), y = b.substr(j0, j - j0);
            while (x.size() > 1 && x[0] == '0') x.remove_prefix(1);
            while (y.size() > 1 && y[0] == '0') y.remove_prefix(1);
            if (x.size() != y.size()) return x.size() < y.size();
            if (x != y) return x < y;
        } else {
            if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            ++i, ++j;
        }
    }
    if ((a.size() - i) != (b.size() - j)) return a.size() - i < b.size() - j;
    return a < b;  // equal but for leading zeros: still one order
}

std::vector<set_drawing> components_of(workspace& project, step_report& report)
{
    std::vector<set_drawing> drawings;
    for (const auto& node : project.nodes()) {
        if (!is_of_class(*node, module_class::single_drawing) && !is_of_class(*node, module_class::parametric_drawing))
            continue;
        auto& drawing = dynamic_cast<graph_data_base&>(*node);
        set_drawing d{drawing.get_node_name(), drawing_cover(drawing), nullptr, nullptr, {}, false};
        RXDSGNMOD::set_rebar_cover(d.cover);
        d.owner = strategy_for(drawing)->GetComponent();
        d.component = dynamic_cast<VQDraw_DS_GJNA::CRXComponent_DSGJ*>(d.owner.get());
        if (!d.component) {
            report.warning("left out of the set: " + ds_text::to_utf8_for_display(d.name) + " (no pedestal rebar component)");
            continue;
        }
        drawings.push_back(std::move(d));
    }
    // Bridge part, structure number, drawing name: the order a set is read in,
    // whatever order the drawings were added to the project in.
    std::stable_sort(drawings.begin(), drawings.end(), [](const set_drawing& a, const set_drawing& b) {
        const auto& x = a.component->GetDrawData();
        const auto& y = b.component->GetDrawData();
        if (x.m_strQF != y.m_strQF) return std::string(x.m_strQF.str()) < std::string(y.m_strQF.str());
        if (x.m_iPierNum != y.m_iPierNum) return x.m_iPierNum < y.m_iPierNum;
        return natural_less(a.name.str(), b.name.str());
    });
    return drawings;
}

/// Designs each drawing and lays out its sheets, on `threads` threads. The
/// layout reads nothing shared but settings fixed before it starts, and the
/// cover, which each thread hands over for its own drawing.
void draw_all(std::vector<set_drawing>& drawings, const set_request& request, set_progress& progress, std::mutex& told)
{
    parallel_for(drawings.size(), request.threads, [&](std::size_t i) {
        set_drawing& d = drawings[i];
        RXDSGNMOD::set_rebar_cover(d.cover);
        d.passed = d.component->Design();
        std::vector<RXDSGNMOD::CRXPaper*> papers;
        d.component->CreatPaper(papers);
        for (RXDSGNMOD::CRXPaper* paper : papers) {
            d.sheets.push_back(std::move(paper->sheet));
            delete paper;
        }
        const std::lock_guard lock(told);
        ++progress.drawings_done;
        if (request.progress) request.progress(progress);
    });
}

std::string padded(std::size_t n, std::size_t digits)
{
    std::string text = std::to_string(n);
    return std::string(digits > text.size() ? digits - text.size() : 0, '0') + text;
}

/// Drawing numbers of the set: the prefix of the facts ("DS-" when none) and the sheet's place.
class set_numbers {
public:
    set_numbers(const CString& prefix, std::size_t count)
        : m_prefix(prefix.IsEmpty() ? CString("DS-") : prefix), m_digits(std::max<std::size_t>(3, std::to_string(count).size()))
    {
    }
    CString operator()(std::size_t index) const { return m_prefix + CString(padded(index, m_digits).c_str()); }

private:
    CString m_prefix;
    std::size_t m_digits;
};

std::vector<ds_sheet::contents_row> contents_rows(const std::vector<set_drawing>& drawings, std::size_t first,
                                                  const set_numbers& number)
{
    std::vector<ds_sheet::contents_row> rows;
    std::size_t at = first;
    for (const set_drawing& d : drawings) {
        const std::size_t n = d.sheets.size();
        CString numbers = number(at);
        if (n > 1) numbers += "~" + number(at + n - 1);
        CString note = d.name;
        if (!d.passed) note += " 设计检查未通过";
        rows.push_back({numbers, VQDraw_DS_GJNA::base_sheet_title(d.component->GetDrawData()), static_cast<int>(n), note});
        at += n;
    }
    return rows;
}

/// "YYYY-MM-DD" of a date as a person typed it ("2026-12-07", "2026.12.7",
/// "2026年12月7日"), or nullopt when it holds no such date.
std::optional<std::string> iso_date(const CString& date)
{
    std::vector<int> parts;
    int value = -1;
    for (const char c : std::string(date.str()) + " ") {
        if (c >= '0' && c <= '9') value = (value < 0 ? 0 : value * 10) + (c - '0');
        else if (value >= 0) parts.push_back(std::exchange(value, -1));
        if (value > 9999) return std::nullopt;
    }
    if (parts.size() != 3 || parts[0] < 1000 || parts[1] < 1 || parts[1] > 12 || parts[2] < 1 || parts[2] > 31)
        return std::nullopt;
    return std::to_string(parts[0]) + "-" + padded(parts[1], 2) + "-" + padded(parts[2], 2);
}

bool is_our_kind(const std::filesystem::path& path, const sheet_format& format)
{
    std::ifstream in(path, std::ios::binary);
    std::string head(4096, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return format.recognises(head);
}

/// Refuses, before anything is written, a path where something not of its kind (or not a file) is in the way.
void check_replaceable(const std::filesystem::path& path, const sheet_format& format)
{
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    if (ec || !std::filesystem::exists(status)) return;
    if (!std::filesystem::is_regular_file(status) || !is_our_kind(path, format))
        throw step_refused("will not replace " + path.string() + " with a sheet of the set: it is not a " +
                               std::string(format.label) + " file this program writes",
                           path.string());
}

/// The formats written per sheet: those asked for and those a whole-set format shows beside its file.
std::vector<const sheet_format*> each_sheet_formats(const set_request& request)
{
    std::vector<bool> wanted(sheet_formats().size(), false);
    for (std::size_t i = 0; i < sheet_formats().size(); ++i) {
        if (!request.formats[i]) continue;
        if (sheet_formats()[i].scope == ds_sheet::sheet_scope::each_sheet) wanted[i] = true;
        for (const std::string_view companion : sheet_formats()[i].companions)
            for (std::size_t j = 0; j < sheet_formats().size(); ++j)
                if (sheet_formats()[j].name == companion) wanted[j] = true;
    }
    std::vector<const sheet_format*> formats;
    for (std::size_t i = 0; i < sheet_formats().size(); ++i)
        if (wanted[i]) formats.push_back(&sheet_formats()[i]);
    return formats;
}

/// A whole-set format being written.
struct set_file {
    const sheet_format* format;
    std::filesystem::path path;
    std::unique_ptr<ds_sheet::sheet_set_writer> writer;
};

/// Flattened sheets handed from the threads that write the sheet files to the
/// one that writes the whole-set files, which must take them in order.
class flat_relay {
public:
    explicit flat_relay(std::size_t count) : m_flats(count) {}
    void put(std::size_t i, ds_sheet::flat_sheet flat)
    {
        {
            const std::lock_guard lock(m_guard);
            m_flats[i] = std::move(flat);
        }
        m_ready.notify_all();
    }
    /// Waits for sheet `i` and hands it over; nullopt when the writers gave up.
    std::optional<ds_sheet::flat_sheet> take(std::size_t i)
    {
        std::unique_lock lock(m_guard);
        m_ready.wait(lock, [&] { return m_flats[i].has_value() || m_stopped; });
        if (!m_flats[i]) return std::nullopt;
        return std::exchange(m_flats[i], std::nullopt);
    }
    void stop()
    {
        {
            const std::lock_guard lock(m_guard);
            m_stopped = true;
        }
        m_ready.notify_all();
    }

private:
    std::mutex m_guard;
    std::condition_variable m_ready;
    std::vector<std::optional<ds_sheet::flat_sheet>> m_flats;
    bool m_stopped = false;
};

class set_writer {
public:
    set_writer(const set_request& request, std::vector<set_page>& pages, set_progress& progress, std::mutex& told)
        : m_request(request), m_pages(pages), m_progress(progress), m_told(told), m_each(each_sheet_formats(request))
    {
    }

    void check_paths() const
    {
        for (const set_page& page : m_pages)
            for (const sheet_format* format : m_each) check_replaceable(path_of(page, *format), *format);
        for (const set_file& file : set_files()) check_replaceable(file.path, *file.format);
    }

    /// The names of every file write() writes, and the formats they are in.
    std::set<std::string> file_names() const
    {
        std::set<std::string> names;
        for (const set_page& page : m_pages)
            for (const sheet_format* format : m_each) names.insert(path_of(page, *format).filename().string());
        for (const set_file& file : set_files()) names.insert(file.path.filename().string());
        return names;
    }
    std::vector<const sheet_format*> formats() const
    {
        std::vector<const sheet_format*> all = m_each;
        for (const set_file& file : set_files()) all.push_back(file.format);
        return all;
    }

    /// Writes every file; returns the whole-set files written, with what is worth saying of each.
    std::vector<std::pair<std::filesystem::path, std::string>> write(const CString& heading, const std::string& date)
    {
        std::vector<set_file> sets = set_files();
        for (set_file& set : sets) {
            set.writer = set.format->open_set(set.path);
            set.writer->stamp_date(date);
        }
        flat_relay relay(m_pages.size());
        std::exception_ptr failed;
        std::thread sheet_files([&] {
            try {
                parallel_for(m_pages.size(), m_request.threads, [&](std::size_t i) { write_sheet(i, relay, !sets.empty()); });
            } catch (...) {
                failed = std::current_exception();
            }
            relay.stop();
        });
        try {
            for (std::size_t i = 0; i < m_pages.size() && !sets.empty(); ++i) {
                const std::optional<ds_sheet::flat_sheet> flat = relay.take(i);
                if (!flat) break;
                for (set_file& set : sets) set.writer->add(*flat, entry_of(m_pages[i], *set.format));
            }
        } catch (...) {
            relay.stop();
            sheet_files.join();
            throw;
        }
        sheet_files.join();
        if (failed) std::rethrow_exception(failed);
        std::vector<std::pair<std::filesystem::path, std::string>> written;
        std::vector<std::filesystem::path> finished;
        for (set_file& set : sets) {
            written.push_back({set.path, set.writer->finish(heading, finished)});
            finished.push_back(set.path);
        }
        return written;
    }

private:
    std::filesystem::path path_of(const set_page& page, const sheet_format& format) const
    {
        return m_request.folder / (page.stem + std::string(format.extension));
    }

    std::vector<set_file> set_files() const
    {
        std::vector<set_file> files;
        for (std::size_t i = 0; i < sheet_formats().size(); ++i) {
            const sheet_format& format = sheet_formats()[i];
            if (!m_request.formats[i] || format.scope != ds_sheet::sheet_scope::whole_set) continue;
            const std::string name = format.set_file_name.empty() ? std::string(set_pdf_name) : std::string(format.set_file_name);
            files.push_back({&format, m_request.folder / name, nullptr});
        }
        return files;
    }

    ds_sheet::set_sheet entry_of(const set_page& page, const sheet_format& format) const
    {
        ds_sheet::set_sheet entry{page.drawing, {}, page.outline};
        for (const std::string_view companion : format.companions)
            entry.files.push_back(page.stem + std::string(ds_sheet::sheet_format_named(companion).extension));
        return entry;
    }

    void write_sheet(std::size_t i, flat_relay& relay, bool relayed)
    {
        ds_sheet::flat_sheet flat = ds_sheet::flatten_for_writers(*m_pages[i].page);
        for (const sheet_format* format : m_each) {
            const std::filesystem::path path = path_of(m_pages[i], *format);
            try {
                format->write_sheet(flat, path);
            } catch (const std::exception& e) {
                throw std::runtime_error("cannot write the sheet " + path.string() + ": " + e.what());
            }
        }
        if (relayed) relay.put(i, std::move(flat));
        const std::lock_guard lock(m_told);
        ++m_progress.sheets_written;
        if (m_request.progress) m_request.progress(m_progress);
    }

    const set_request& m_request;
    std::vector<set_page>& m_pages;
    set_progress& m_progress;
    std::mutex& m_told;
    std::vector<const sheet_format*> m_each;
};

/// The files of the last set written into `folder`, one name a line, so that
/// the next set can take away sheets that are no longer in it (after an edit
/// the numbers move, and a file named after an old number would stand beside
/// the new one).
constexpr const char* manifest_name = ".sheet-set-files";

std::set<std::string> last_set_files(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    std::ifstream in(folder / manifest_name);
    for (std::string name; std::getline(in, name);)
        if (!name.empty() && name.find('/') == std::string::npos && name != "." && name != "..") names.insert(name);
    return names;
}

/// Removes the files of the last set that this one did not write, when they are
/// still files of a format this set was written in, as this program writes them;
/// records this set's files. Returns how many it removed.
std::size_t replace_manifest(const std::filesystem::path& folder, const std::set<std::string>& written,
                             const std::vector<const sheet_format*>& formats)
{
    std::size_t removed = 0;
    for (const std::string& name : last_set_files(folder)) {
        if (written.contains(name)) continue;
        const std::filesystem::path path = folder / name;
        std::error_code ec;
        if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ec))) continue;
        for (const sheet_format* format : formats)
            if (path.extension() == format->extension && is_our_kind(path, *format)) {
                removed += std::filesystem::remove(path, ec);
                break;
            }
    }
    std::string text;
    for (const std::string& name : written) text += name + "\n";
    ds_file::write_file_atomically(folder / manifest_name, text);
    return removed;
}

void make_folder(const std::filesystem::path& folder)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) throw std::runtime_error("cannot make the folder " + folder.string() + ": " + ec.message());
}

}  // namespace

set_outcome write_sheet_set(workspace& project, const set_request& request, step_report& report)
{
    apply_project_titles();
    const project_facts facts = current_project_facts();
    std::vector<set_drawing> drawings = components_of(project, report);
    set_progress progress{0, drawings.size(), 0, 0};
    std::mutex told;
    draw_all(drawings, request, progress, told);

    // Numbering: the contents first, then each drawing's sheets in order.
    std::size_t drawn = 0;
    for (const set_drawing& d : drawings) drawn += d.sheets.size();
    const std::size_t contents_count = ds_sheet::contents_sheet_count(drawings.size());
    const std::size_t total = contents_count + drawn;
    const set_numbers number(facts.number_prefix, total);
    ds_sheet::title_block_text block;
    const RXDSGNMOD::sheet_signatures& s = RXDSGNMOD::GetSheetSignatures();
    std::tie(block.project, block.date, block.designer, block.checker, block.approver) =
        std::tie(s.project, s.date, s.designer, s.checker, s.approver);
    std::vector<ds_sheet::sheet> contents =
        ds_sheet::contents_sheets(contents_rows(drawings, contents_count + 1, number), block, facts.organisation);

    std::vector<set_page> pages;
    for (std::size_t i = 0; i < contents.size(); ++i) pages.push_back({&contents[i], "图纸目录", i ? CString() : CString("图纸目录"), {}});
    for (set_drawing& d : drawings)
        for (std::size_t i = 0; i < d.sheets.size(); ++i)
            pages.push_back({&d.sheets[i], d.name, i ? CString() : d.name, {}});
    for (std::size_t i = 0; i < pages.size(); ++i) {
        ds_sheet::renumber_title_block(*pages[i].page, number(i + 1), static_cast<int>(i + 1), static_cast<int>(total));
        pages[i].stem = ds_sheet::safe_file_stem(number(i + 1) + " " + pages[i].page->title);
    }
    progress.sheets = total;

    make_folder(request.folder);
    set_writer writer(request, pages, progress, told);
    writer.check_paths();
    const CString project_text = title_project_text(facts);
    const CString heading = project_text.IsEmpty() ? CString("垫石钢筋构造图") : project_text + " 垫石钢筋构造图";
    const auto written = writer.write(heading, iso_date(s.date).value_or("2000-01-01"));
    const std::size_t removed = replace_manifest(request.folder, writer.file_names(), writer.formats());

    set_outcome outcome{drawings.size(), total, {}};
    std::size_t at = contents_count + 1;
    report.line("set of " + std::to_string(drawings.size()) + " drawing(s), " + std::to_string(total) + " sheet(s):");
    report.narrow_line("  " + number(1) + " 图纸目录");
    for (const set_drawing& d : drawings) {
        report.narrow_line("  " + number(at) + " " + d.name + " (" + CString(std::to_string(d.sheets.size()).c_str()) + "张)" +
                           (d.passed ? CString() : CString(" 设计检查未通过")));
        at += d.sheets.size();
        if (!d.passed) outcome.failed.push_back(d.name);
    }
    report.line("sheet files: " + std::to_string(pages.size()) + " per format in " + request.folder.string());
    for (const auto& [path, note] : written) report.file(path.string(), note.empty() ? "" : " (" + note + ")");
    if (removed) report.line("removed " + std::to_string(removed) + " sheet file(s) of the last set that are not in this one");
    return outcome;
}

}  // namespace ds_app
