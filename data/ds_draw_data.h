// DS_draw_data: the whole record of one pedestal drawing: construction data,
// drawing settings and rebar.
#pragma once

#include <vector>

#include "data/ds_gz_gen.h"
#include "data/ds_steel_drawset.h"
#include "host/rebar/steel_data.h"

namespace VQDraw_DS_UINA {

class DS_draw_data {
public:
    /// Members default-constructed; no defaults applied.
    DS_draw_data() = default;
    DS_draw_data(const DS_draw_data&) = default;
    DS_draw_data& operator=(const DS_draw_data&) = default;
    virtual ~DS_draw_data() = default;

    /// Defaults of the construction data and settings; the rebar comes from
    /// the registered table sample "垫石_钢筋表" and stays as it is without one.
    void set_default_value();
    void compare(const DS_draw_data* other, std::vector<CString>& lines) const;
    void serialize_members(member_rw_interface& stream);

    DS_GZ_Gen m_gz;
    DS_steel_DrawSet m_drawSet;
    steel_data m_Steel_P0;
};

}  // namespace VQDraw_DS_UINA
