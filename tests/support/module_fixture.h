// The pedestal module is attached once for the whole test run, as the host
// does after loading it, so its classes are found by name and the rebar
// table sample is registered. Tests that need the unattached state detach and
// re-attach through these helpers.
#pragma once

namespace ds_test {
/// Runs the module's entry point with "process attach"; true on success.
bool attach_module();
/// Runs the module's entry point with "process detach".
void detach_module();
}  // namespace ds_test
