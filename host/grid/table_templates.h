// table_templates: the host's store of sample grid tables.
//
// Every grid table the host shows is a fresh copy of a sample registered under
// a template name. The store starts with the host's built-in samples (the
// pedestal tables among them) and modules add their own when they load. The
// store lives as long as the host library; samples are owned by it.
#pragma once

#include <functional>
#include <vector>

#include "host/afx/cstring.h"
#include "host/grid/cvq_data_base.h"

namespace table_templates {

/// Registers `table` as the sample named `name`, taking ownership. A second
/// registration under the same name replaces (and deletes) the first. A null
/// table is ignored; a table with an empty name is deleted and not registered.
void add_database_sample(const CString& name, CVQDataBase* table);

/// A new copy of the sample named `name`, owned by the caller; null when no
/// sample has that name.
CVQDataBase* create_data_base(const CString& name);

/// Adds rows or columns to a sample from outside the grid library (the common
/// drawing-settings helpers add their keys to the pedestal settings tables
/// this way). `extend` runs at once on the sample named `name` (an empty
/// property table of that name is made first when there is none) and runs
/// again on the built-in samples whenever the store is reset. Extenders should
/// use add_property/add_column, which update a key that is already there, so
/// running twice does no harm.
using sample_extender = std::function<void(CVQDataBase&)>;
void extend_sample(const CString& name, const sample_extender& extend);

// ---- seams for tests and the headless host ----

/// Removes one sample; true when there was one.
bool remove_database_sample(const CString& name);
/// Drops every sample and rebuilds the built-in ones (extenders applied again).
void reset_samples();
bool has_database_sample(const CString& name);
/// Names of all samples, in byte order.
std::vector<CString> get_sample_names();

}  // namespace table_templates
