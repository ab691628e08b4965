// RXDSGNMOD: the design component framework. A component designs its rebar,
// draws itself, makes its sheets and lists its materials; the host drives it.
#pragma once

#include <map>
#include <vector>

#include "host/afx/cstring.h"
#include "host/drawing_lib/sheet_model.h"

namespace RXDSGNMOD {

/// One drawing sheet made by a component.
class CRXPaper {
public:
    explicit CRXPaper(CString title = {}) : m_title(std::move(title)) {}
    virtual ~CRXPaper() = default;
    const CString& title() const { return m_title; }
    ds_sheet::sheet sheet;  ///< what is drawn on it, ready for a writer

private:
    CString m_title;
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

}  // namespace RXDSGNMOD
