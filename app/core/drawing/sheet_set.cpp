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
#include "app/core/drawing/set_record.h"
#include "app/core/drawing/sheet_output.h"
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
    std::string tag;     ///< UTF-8
    std::string digest;  ///< of its record (set_record.h)
    bool drawn = false;  ///< designed and laid out: `sheets` holds its sheets
    /// Its sheet files of the last set stand as they are (--changed): its
    /// record is the one they were drawn from and their numbers are the same.
    bool kept = false;
    std::vector<std::string> kept_stems;  ///< while kept: its sheets' file stems in the last set
    std::size_t kept_first = 0;           ///< while kept: the number of its first sheet in the last set

    std::size_t sheet_count() const { return kept ? kept_stems.size() : sheets.size(); }
};

/// One sheet of the numbered set and where its files go.
struct set_page {
    ds_sheet::sheet* page = nullptr;  ///< null: a kept sheet, not drawn
    CString drawing;
    CString outline;  ///< the drawing's outline entry, on its first sheet
    std::string stem;
    bool write_files = true;  ///< false: its files of the last set stand (it is drawn only for the whole-set files)
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
        set_drawing d;
        d.name = drawing.get_node_name();
        d.tag = ds_text::to_utf8_for_display(drawing.get_node_tag());
        d.digest = record_digest(drawing);
        drawing_component made = component_for(drawing);
        d.cover = made.cover;
        d.owner = std::move(made.owner);
        d.component = made.pedestal;
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
void draw_all(std::vector<set_drawing*>& drawings, const set_request& request, set_progress& progress, std::mutex& told)
{
    parallel_for(drawings.size(), request.threads, [&](std::size_t i) {
        set_drawing& d = *drawings[i];
        d.drawn = true;
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
        const std::size_t n = d.sheet_count();
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
            if (page.write_files)
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

    /// Writes sheet i's files (unless they are kept) and relays it to the whole-set files.
    void write_sheet(std::size_t i, flat_relay& relay, bool relayed)
    {
        const set_page& page = m_pages[i];
        if (page.page && (page.write_files || relayed)) {
            ds_sheet::flat_sheet flat = ds_sheet::flatten_for_writers(*page.page);
            if (page.write_files) write_files(page, flat);
            if (relayed) relay.put(i, std::move(flat));
        }
        const std::lock_guard lock(m_told);
        ++m_progress.sheets_written;
        if (m_request.progress) m_request.progress(m_progress);
    }

    void write_files(const set_page& page, const ds_sheet::flat_sheet& flat) const
    {
        for (const sheet_format* format : m_each) {
            const std::filesystem::path path = path_of(page, *format);
            try {
                format->write_sheet(flat, path);
            } catch (const std::exception& e) {
                throw std::runtime_error("cannot write the sheet " + path.string() + ": " + e.what());
            }
        }
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

/// True when the request asks for a format written as one file for the whole set.
bool wants_whole_set(const set_request& request)
{
    for (std::size_t i = 0; i < sheet_formats().size(); ++i)
        if (request.formats[i] && sheet_formats()[i].scope == ds_sheet::sheet_scope::whole_set) return true;
    return false;
}

/// Every per-sheet file of `stems` stands in the folder.
bool files_present(const set_request& request, const std::vector<std::string>& stems)
{
    std::error_code ec;
    for (const std::string& stem : stems)
        for (const sheet_format* format : each_sheet_formats(request))
            if (!std::filesystem::is_regular_file(request.folder / (stem + std::string(format->extension)), ec)) return false;
    return true;
}

/// Marks kept the drawings whose record is the one their files of the last set were drawn from.
void keep_unchanged(std::vector<set_drawing>& drawings, const set_request& request, const set_record& last)
{
    for (set_drawing& d : drawings) {
        const auto was = last.drawings.find(d.tag);
        if (was == last.drawings.end() || was->second.digest != d.digest || was->second.stems.empty() ||
            !files_present(request, was->second.stems))
            continue;
        d.kept = true;
        d.passed = was->second.passed;
        d.kept_stems = was->second.stems;
        d.kept_first = was->second.first;
    }
}

/// Lets go of the kept drawings whose sheets this set numbers otherwise than the last.
void unkeep_renumbered(std::vector<set_drawing>& drawings, std::size_t first, std::size_t total, const set_record& last)
{
    for (set_drawing& d : drawings) {
        if (d.kept && (d.kept_first != first || total != last.total)) {
            d.kept = false;
            d.kept_stems.clear();
        }
        first += d.sheet_count();
    }
}

/// Draws the drawings not drawn yet, all of them or only those not kept.
void draw_remaining(std::vector<set_drawing>& drawings, bool with_kept, const set_request& request, set_progress& progress,
                    std::mutex& told)
{
    std::vector<set_drawing*> chosen;
    for (set_drawing& d : drawings)
        if (!d.drawn && (with_kept || !d.kept)) chosen.push_back(&d);
    draw_all(chosen, request, progress, told);
}

/// Draws what the set needs: every drawing, or with --changed (`last` given)
/// those whose record changed, then those whose sheets the changes renumbered,
/// and all of them when a whole-set file (the PDF) needs their pages. Sheet
/// counts come from the last set for drawings not drawn. Returns the number of
/// the drawings' first sheet (after the contents) and the set's total.
std::pair<std::size_t, std::size_t> draw_set(std::vector<set_drawing>& drawings, const set_request& request,
                                             const set_record* last, set_progress& progress, std::mutex& told)
{
    if (last) keep_unchanged(drawings, request, *last);
    draw_remaining(drawings, false, request, progress, told);
    const std::size_t first = ds_sheet::contents_sheet_count(drawings.size()) + 1;
    std::size_t total = first - 1;
    for (const set_drawing& d : drawings) total += d.sheet_count();
    if (last) unkeep_renumbered(drawings, first, total, *last);
    draw_remaining(drawings, wants_whole_set(request), request, progress, told);
    progress.drawings_done = progress.drawings;
    return {first, total};
}

/// The set's pages: the contents, then each drawing's sheets; a kept drawing
/// not drawn stands as its file stems alone.
std::vector<set_page> pages_of(std::vector<ds_sheet::sheet>& contents, std::vector<set_drawing>& drawings)
{
    std::vector<set_page> pages;
    for (std::size_t i = 0; i < contents.size(); ++i) pages.push_back({&contents[i], "图纸目录", i ? CString() : CString("图纸目录"), {}});
    for (set_drawing& d : drawings) {
        for (std::size_t i = 0; i < d.sheet_count(); ++i) {
            set_page page{d.drawn ? &d.sheets[i] : nullptr, d.name, i ? CString() : d.name, {}, !d.kept};
            if (d.kept) page.stem = d.kept_stems[i];
            pages.push_back(std::move(page));
        }
    }
    return pages;
}

/// What the next --changed set compares with.
set_record record_of(const std::string& inputs, std::size_t total, const std::vector<set_drawing>& drawings,
                     const std::vector<set_page>& pages, std::size_t first)
{
    set_record record{inputs, total, {}};
    for (const set_drawing& d : drawings) {
        recorded_drawing& entry = record.drawings[d.tag];
        entry = {d.digest, d.passed, first, {}};
        for (std::size_t i = 0; i < d.sheet_count(); ++i) entry.stems.push_back(pages[first - 1 + i].stem);
        first += d.sheet_count();
    }
    return record;
}

}  // namespace

set_outcome write_sheet_set(workspace& project, const set_request& request, step_report& report)
{
    apply_project_titles();
    const project_facts facts = current_project_facts();
    std::vector<set_drawing> drawings = components_of(project, report);
    set_progress progress{0, drawings.size(), 0, 0};
    std::mutex told;
    const std::string inputs = set_inputs_digest(project, request.formats);
    std::optional<set_record> last;
    if (request.only_changed) last = read_set_record(request.folder);
    if (last && last->inputs != inputs) last.reset();
    const auto [first, total] = draw_set(drawings, request, last ? &*last : nullptr, progress, told);

    // Numbering: the contents first, then each drawing's sheets in order.
    const set_numbers number(facts.number_prefix, total);
    ds_sheet::title_block_text block;
    const RXDSGNMOD::sheet_signatures& s = RXDSGNMOD::GetSheetSignatures();
    std::tie(block.project, block.date, block.designer, block.checker, block.approver) =
        std::tie(s.project, s.date, s.designer, s.checker, s.approver);
    std::vector<ds_sheet::sheet> contents =
        ds_sheet::contents_sheets(contents_rows(drawings, first, number), block, facts.organisation);
    std::vector<set_page> pages = pages_of(contents, drawings);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (!pages[i].page) continue;
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
    write_set_record(request.folder, record_of(inputs, total, drawings, pages, first));

    set_outcome outcome{drawings.size(), total, {}};
    std::size_t at = first;
    report.line("set of " + std::to_string(drawings.size()) + " drawing(s), " + std::to_string(total) + " sheet(s):");
    report.narrow_line("  " + number(1) + " 图纸目录");
    for (const set_drawing& d : drawings) {
        report.narrow_line("  " + number(at) + " " + d.name + " (" + CString(std::to_string(d.sheet_count()).c_str()) + "张)" +
                           (d.passed ? CString() : CString(" 设计检查未通过")) + (d.kept ? CString(" 未变") : CString()));
        at += d.sheet_count();
        if (!d.passed) outcome.failed.push_back(d.name);
    }
    if (request.only_changed) {
        const auto kept = static_cast<std::size_t>(std::count_if(drawings.begin(), drawings.end(), [](const set_drawing& d) { return d.kept; }));
        report.line("changed: " + std::to_string(drawings.size() - kept) + " drawing(s) drawn again; the sheet files of " +
                    std::to_string(kept) + " unchanged drawing(s) stand as the last set wrote them" +
                    (last ? "" : " (no record of a last set with these settings here: every drawing was drawn)"));
    }
    report.line("sheet files: " + std::to_string(pages.size()) + " per format in " + request.folder.string());
    for (const auto& [path, note] : written) report.file(path.string(), note.empty() ? "" : " (" + note + ")");
    if (removed) report.line("removed " + std::to_string(removed) + " sheet file(s) of the last set that are not in this one");
    return outcome;
}

}  // namespace ds_app
