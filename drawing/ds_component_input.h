// Pieces of the drawing component's input that both pedestal drawing
// strategies fill the same way: heights per pedestal, the rebar group, the
// settings taken from the drawing settings, and wrapping the filled record
// into the component handed to the host.
#pragma once

#include <memory>
#include <vector>

#include "data/ds_steel_drawset.h"
#include "host/pedestal_design/ds_gj_draw_data.h"
#include "host/drawing_lib/rx_component.h"

class steel_data;

namespace VQDraw_DS_UINA {

/// Exactly max(count, 0) heights from a height text split at any character of
/// `separators`: pedestal i takes number i, pedestals past the last number
/// take the last number, surplus numbers are ignored. A text without any
/// number gives zeros (one per pedestal), so the list still matches the count
/// and the component's check reports the missing height.
std::vector<double> ds_heights_for_count(const CString& text, const CString& separators, int count);

/// The first bar group of `steel`, or null when it yields none. The group
/// belongs to the rebar library and outlives `steel`.
const RXDSGNMOD::CRXComponentSteelP0* ds_first_steel_group(const steel_data& steel);

/// Pedestal number, the three scales, concrete type and custom note of the record.
void ds_fill_drawset_fields(VQDraw_DS_GJNA::DS_draw_data& record, const DS_steel_DrawSet& drawSet);

/// A drawing component built from a copy of `record`, owned by the returned pointer.
std::shared_ptr<RXDSGNMOD::CRXComponent> ds_make_component(const VQDraw_DS_GJNA::DS_draw_data& record);

}  // namespace VQDraw_DS_UINA
