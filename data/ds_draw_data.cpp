// DS_draw_data: defaults (rebar from the registered sample table), the
// difference lines between two records, and the stored layout with its older versions.
#include "data/ds_draw_data.h"

#include <memory>

#include "data/ds_stream_helpers.h"
#include "frame/ds_rebar_sample.h"
#include "host/framework/serialization_guard.h"
#include "host/grid/cvq_data_base.h"
#include "host/grid/table_templates.h"
#include "host/rebar/steel_grid_tools.h"

namespace VQDraw_DS_UINA {

void DS_draw_data::set_default_value()
{
    m_gz.set_default_value();
    m_drawSet.set_default_value();
    std::unique_ptr<CVQDataBase> table(table_templates::create_data_base(kRebarSampleName));
    if (table) steel_grid_tools::get_steel_data_from_grid(table.get(), m_Steel_P0, false, false);
}

void DS_draw_data::compare(const DS_draw_data* other, std::vector<CString>& lines) const
{
    m_gz.compare(&other->m_gz, lines);
    m_drawSet.compare(&other->m_drawSet, lines);
    m_Steel_P0.compare(other->m_Steel_P0, lines);
}

void DS_draw_data::serialize_members(member_rw_interface& stream)
{
    x_object_flag_serialization_guard guard("DS_draw_data", stream);
    if (stream.is_storing()) {
        stream.write("version", 3);
        ds_serialize_nested(stream, "m_gz", m_gz);
        ds_serialize_nested(stream, "m_drawSet", m_drawSet);
        ds_serialize_nested(stream, "m_Steel_P0", m_Steel_P0);
        return;
    }
    int version = 3;
    stream.read("version", version);
    if (version < 1 || version > 3) return;  // a layout this program does not know: keep everything
    ds_serialize_nested(stream, "m_gz", m_gz);
    ds_serialize_nested(stream, "m_drawSet", m_drawSet);
    ds_serialize_nested(stream, "m_Steel_P0", m_Steel_P0);
    if (version == 2) {
        // Version 2 also kept a list of construction records that nothing uses any more.
        std::vector<DS_GZ_Gen> discarded;
        ds_serialize_record_list(stream, "vecGz", discarded);
    }
}

}  // namespace VQDraw_DS_UINA
