// A readable rendering of a grid table: its name, kind, captions, keys, values
// and published choice lists. The headless host prints it and failing tests
// show it. The text is narrow (GBK); the caller converts it at its boundary.
#pragma once

#include "host/afx/cstring.h"

class CVQDataBase;

namespace grid_table_text {

/// Several lines, each ending in '\n'. Blank cells show as "<空>".
CString render(const CVQDataBase& table);

}  // namespace grid_table_text
