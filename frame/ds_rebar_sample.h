// The rebar table sample that the module registers with the host's table
// templates when it loads, and from which new drawings take their rebar.
#pragma once

namespace VQDraw_DS_UINA {

inline constexpr const char* kRebarSampleName = "垫石_钢筋表";

/// Builds the rebar table and registers it as a sample; silently skipped when
/// the table cannot be built.
void register_rebar_table_sample();

}  // namespace VQDraw_DS_UINA
