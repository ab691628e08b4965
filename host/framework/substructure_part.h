// Generic part records that substructure drawings hand out through their
// accessors (cap beams, piers, foundations, ...). The pedestal module does not
// read them; the stand-in keeps them as property maps.
#pragma once

#include <map>

#include "host/afx/cstring.h"

struct substructure_part {
    CString name;
    std::map<CString, CString> properties;
};
struct pier_part : substructure_part {};
struct cap_beam_pier_part : substructure_part {};
