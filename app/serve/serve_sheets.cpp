// A drawing's sheets in memory for the local server.
#include "app/serve/serve_sheets.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <vector>

#include "app/core/drawing/drawing_output.h"
#include "app/core/project/node_view.h"
#include "host/drawing_lib/rx_component_dsgj.h"
#include "host/sheet_svg/svg_writer.h"
#include "host/text/encoding.h"

namespace ds_app {

namespace {

using nlohmann::json;
using paper_list = std::vector<std::unique_ptr<RXDSGNMOD::CRXPaper>>;

/// The drawing's component, designed, with its sheets; null component for a
/// drawing whose strategy gives no pedestal component.
struct made_sheets {
    std::shared_ptr<RXDSGNMOD::CRXComponent> component;
    VQDraw_DS_GJNA::CRXComponent_DSGJ* pedestal = nullptr;
    bool designed = false;
    paper_list papers;
};

made_sheets make_sheets(graph_data_base& drawing)
{
    made_sheets made;
    drawing_component component = component_for(drawing);
    made.component = std::move(component.owner);
    made.pedestal = component.pedestal;
    if (!made.pedestal) return made;
    made.designed = made.pedestal->Design();
    std::vector<RXDSGNMOD::CRXPaper*> papers;
    made.pedestal->CreatPaper(papers);
    for (RXDSGNMOD::CRXPaper* paper : papers) made.papers.emplace_back(paper);
    return made;
}

std::string file_stem(const CString& title)
{
    std::string stem = ds_text::to_utf8(title);
    std::replace(stem.begin(), stem.end(), '/', '-');
    return stem.empty() || stem[0] == '.' ? "sheet" + stem : stem;
}

/// Finds the pedestal counts of 0 in a stored form (a single drawing's m_gz,
/// each list row of m_csh_data): `rows` gets the list rows (from 1), `single` whether the drawing's own is 0.
void zero_counts(const nlohmann::ordered_json& stored, bool in_list, std::vector<std::size_t>& rows, bool& single)
{
    if (!stored.is_object()) return;
    for (const auto& [key, value] : stored.items()) {
        if (key == "m_gz" && value.is_object() && value.value("m_iCount", 1) == 0) single = true;
        if (key == "m_csh_data" && value.is_object()) {
            std::size_t row = 0;
            for (const auto& [item, fields] : value.items())
                if (item.rfind("item_", 0) == 0 && fields.is_object() && (++row, fields.value("m_iCount", 1) == 0))
                    rows.push_back(row);
            continue;
        }
        if (!in_list) zero_counts(value, false, rows, single);
    }
}

/// The design check passes a drawing without pedestals; the page says it has none instead.
std::vector<std::string> count_findings(const graph_data_base& drawing)
{
    std::vector<std::size_t> rows;
    bool single = false;
    zero_counts(stored_form(drawing), false, rows, single);
    std::vector<std::string> findings;
    if (single) findings.push_back(reinterpret_cast<const char*>(u8"垫石个数为 0: the drawing has no pedestal to draw"));
    if (!rows.empty()) {
        std::string list;
        for (std::size_t i = 0; i < rows.size() && i < 20; ++i) list += (i ? ", " : "") + std::to_string(rows[i]);
        if (rows.size() > 20) list += ", ...";
        findings.push_back(reinterpret_cast<const char*>(u8"垫石个数为 0 in list row(s) ") + list +
                           ": those rows have no pedestal to draw");
    }
    return findings;
}

}  // namespace

json sheets_json(graph_data_base& drawing, std::size_t index)
{
    const made_sheets made = make_sheets(drawing);
    json out{{"design", made.designed ? "passed" : "failed"}, {"findings", json::array()}, {"titles", json::array()},
             {"sheet", 0}, {"svg", ""}};
    if (!made.pedestal) {
        out["findings"].push_back("the strategy made no pedestal drawing component");
        return out;
    }
    for (const CString& finding : made.pedestal->GetDesignMessages())
        out["findings"].push_back(ds_text::to_utf8_for_display(finding));
    out["drawing"] = json::array();
    for (const CString& finding : made.pedestal->GetDrawingMessages())
        out["drawing"].push_back(ds_text::to_utf8_for_display(finding));
    for (std::string& finding : count_findings(drawing)) {
        out["design"] = "failed";
        out["findings"].push_back(std::move(finding));
    }
    for (const auto& paper : made.papers) out["titles"].push_back(ds_text::to_utf8_for_display(paper->title()));
    if (made.papers.empty()) return out;
    index = std::min(index, made.papers.size() - 1);
    out["sheet"] = index;
    out["svg"] = ds_sheet::svg_document(made.papers[index]->sheet);
    return out;
}

sheet_file_bytes one_sheet_file(graph_data_base& drawing, std::size_t index, const ds_sheet::sheet_format& format,
                                const std::string& scratch)
{
    if (!format.write_sheet) throw std::logic_error(std::string(format.label) + " is no format of single sheets");
    const made_sheets made = make_sheets(drawing);
    if (index >= made.papers.size()) throw std::out_of_range("the drawing has no sheet " + std::to_string(index + 1));
    const RXDSGNMOD::CRXPaper& paper = *made.papers[index];
    sheet_file_bytes file{file_stem(paper.title()) + std::string(format.extension), {}};
    const std::filesystem::path path = std::filesystem::path(scratch) / ("sheet" + std::string(format.extension));
    format.write_sheet(ds_sheet::flatten_for_writers(paper.sheet), path);
    std::ifstream in(path, std::ios::binary);
    file.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return file;
}

}  // namespace ds_app
