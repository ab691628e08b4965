// RXDSGNMOD: the design component framework. A component designs its rebar,
// draws itself, makes its sheets and lists its materials; the host drives it.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "host/afx/cstring.h"
#include "host/pedestal_design/rebar_cover.h"
#include "host/sheet_model/sheet_model.h"

namespace RXDSGNMOD {

/// One drawing sheet made by a component. Its title is the sheet's own, so
/// a paper and what is drawn on it never name themselves differently.
class CRXPaper {
public:
    CRXPaper() = default;
    explicit CRXPaper(ds_sheet::sheet page) : sheet(std::move(page)) {}
    virtual ~CRXPaper() = default;
    const CString& title() const { return sheet.title; }
    ds_sheet::sheet sheet;  ///< what is drawn on it, ready for a writer
};

class CRXComponent {
public:
    virtual ~CRXComponent() = default;
    /// Designs the component (rebar layout and quantities); false when it cannot.
    virtual bool Design();
    /// Draws the component into the drawing named `target`.
    virtual bool Draw(CString target);
    /// Appends the component's sheets; the caller owns them.
    virtual void CreatPaper(std::vector<CRXPaper*>& papers);
    /// Appends one map of column to text per material row.
    virtual void GetMaterialData(std::vector<std::map<CString, CString>>& rows);
    virtual CString GetName() const;
};

/// Unit text of the drawing's dimensions ("mm" or "cm"), see set_dimension_unit.
CString GetDimmeasureScaleStr(bool with_unit, double scale);
/// Host setting behind GetDimmeasureScaleStr; "mm" until changed.
void set_dimension_unit(const CString& unit);

/// What the host writes into every title block: project, date and the
/// signature strip's names (empty fields stay blank for signing by hand).
struct sheet_signatures {
    CString project;
    CString date;
    CString designer;
    CString checker;
    CString approver;
    CString number_prefix;  ///< drawing-number prefix ("DS-"); empty: "DS" and the pedestal number
};
/// Handed over by the host before it draws; empty until then.
void set_sheet_signatures(const sheet_signatures& fields);
const sheet_signatures& GetSheetSignatures();

}  // namespace RXDSGNMOD
