// Which pedestal drawings stand on which structure, whether each is stale,
// and bringing it up to date through the module's own reference facility.
//
// A single drawing refers to the structure its external reference tag names
// (set when it referred), or else to the one its last merge record names (type
// text, bridge part, number); its conditions are that record's pedestal rows
// and numbers. A parametric drawing built from structures (not merged from
// single drawings) refers to the structure of each list row, by bridge part
// and number. A drawing is stale when taking its structures' data again, with
// the conditions it holds, would change it: what it copied is no longer what
// its structures give.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/core/project/workspace.h"
#include "host/framework/graph_data_base.h"
#include "host/substructure/substructure_graph_data.h"

namespace ds_app {

/// One pedestal drawing that refers to structures of the project.
struct drawing_reference {
    graph_data_base* drawing = nullptr;
    bool parametric = false;
    /// Single: the one structure. Parametric: one per list row, in list order
    /// (null for a row no structure of the project matches).
    std::vector<substructure_graph_data*> structures;
    /// Single: "垫石排号" and "垫石编号" as the drawing's last merge record holds them.
    std::map<CString, CString> conditions;
    /// Parametric and merged from single drawings: its rows are the single
    /// drawings' selections, not whole structures, so it is named, not refreshed.
    bool merged = false;

    /// True when `structure` is one of those the drawing refers to.
    bool refers_to(const substructure_graph_data& structure) const;
};

/// Every pedestal drawing of the project that refers to at least one structure, in project order.
std::vector<drawing_reference> project_references(const workspace& project);

/// What bringing one drawing up to date gives.
struct refresh_result {
    bool stale = false;       ///< the drawing differs from what its structures give
    bool refreshable = true;  ///< false: merged, a row without structure, or the facility took nothing
    std::string why_not;      ///< UTF-8, when not refreshable
    std::unique_ptr<graph_data_base> updated;  ///< the drawing as it would be; null when not stale or not refreshable
    std::vector<std::string> lines;            ///< UTF-8: the facility's difference lines, old value first
    std::vector<std::string> messages;         ///< UTF-8: what the module printed meanwhile
};

/// Takes the structures' data again into a copy of the drawing, with the
/// conditions it holds: single drawings through get_ref_structure_data (their
/// last merge record is taken again, not added to), parametric ones through
/// set_reference_datas, keeping what each list row holds beyond its
/// structure's bridge part, number, count and heights. Changes nothing.
refresh_result check_reference(const drawing_reference& reference);

/// Puts `result.updated` in the drawing's place (contents; node, tag and name stay).
void apply_refresh(const drawing_reference& reference, refresh_result& result);

/// Lets a single drawing refer to `structure` under `rows` and `numbers`
/// through the facility, recording the reference as the facility does
/// (external reference tag, completed merge record). True when taken; the
/// module's messages are added to `messages`.
bool refer_to_structure(graph_data_base& drawing, substructure_graph_data& structure, const CString& rows,
                        const CString& numbers, std::vector<std::string>& messages);

}  // namespace ds_app
