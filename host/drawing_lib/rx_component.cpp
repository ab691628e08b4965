// The design component base's do-nothing defaults, and the process-wide drawing
// settings components read: dimension unit, rebar cover and sheet signatures.
#include "host/drawing_lib/rx_component.h"

#include <cmath>

namespace RXDSGNMOD {

bool CRXComponent::Design() { return true; }
bool CRXComponent::Draw(CString) { return true; }
void CRXComponent::CreatPaper(std::vector<CRXPaper*>&) {}
void CRXComponent::GetMaterialData(std::vector<std::map<CString, CString>>&) {}
CString CRXComponent::GetName() const { return "CRXComponent"; }

namespace {
CString& dimension_unit()
{
    static CString unit = "mm";
    return unit;
}
}  // namespace

CString GetDimmeasureScaleStr(bool, double) { return dimension_unit(); }
void set_dimension_unit(const CString& unit) { dimension_unit() = unit; }

namespace {
rebar_cover& cover_setting()
{
    thread_local rebar_cover cover;  // each thread drawing sheets hands over its own drawing's cover
    return cover;
}
}  // namespace

void set_rebar_cover(double mm)
{
    // A cover beyond a fifth of a metre is no pedestal's; treat it as a slip, like 0.
    const bool given = std::isfinite(mm) && mm > 0.0 && mm <= 200.0;
    cover_setting() = given ? rebar_cover{mm, true} : rebar_cover{default_rebar_cover_mm, false};
}

rebar_cover GetRebarCover() { return cover_setting(); }

namespace {
sheet_signatures& signatures()
{
    static sheet_signatures fields;
    return fields;
}
}  // namespace

void set_sheet_signatures(const sheet_signatures& fields) { signatures() = fields; }
const sheet_signatures& GetSheetSignatures() { return signatures(); }

}  // namespace RXDSGNMOD
