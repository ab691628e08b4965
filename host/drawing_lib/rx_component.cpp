// The design component base's do-nothing defaults, and the process-wide drawing
// settings components read: dimension unit and sheet signatures.
#include "host/drawing_lib/rx_component.h"

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
sheet_signatures& signatures()
{
    static sheet_signatures fields;
    return fields;
}
}  // namespace

void set_sheet_signatures(const sheet_signatures& fields) { signatures() = fields; }
const sheet_signatures& GetSheetSignatures() { return signatures(); }

}  // namespace RXDSGNMOD
