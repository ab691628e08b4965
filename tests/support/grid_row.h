// Grid notifications as a control sends them, for tests that click on or
// focus a row of a property table.
#pragma once

#include "host/grid/cvq_data_base.h"
#include "host/grid/nm_vqgrid.h"

namespace ds_test {

/// The notification of a click on, or focus of, the row of `key`.
inline NM_VQGRID row_of(const CVQDataBase& table, const CString& key) { return {table.find_row_by_tag(key), 1}; }

}  // namespace ds_test
