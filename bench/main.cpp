// Entry point of the pedestal module's benchmarks: the module is attached as
// the host attaches it (classes findable by name, rebar sample registered)
// before any benchmark runs, and detached afterwards.
#include <benchmark/benchmark.h>

#include "frame/ds_ui_module.h"
#include "host/sheet_formats/sheet_formats.h"

int main(int argc, char** argv)
{
    if (DllMain(nullptr, DLL_PROCESS_ATTACH, nullptr) != TRUE) return 1;
    ds_sheet::install_text_metrics();  // as ds-host measures its texts
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DllMain(nullptr, DLL_PROCESS_DETACH, nullptr);
    return 0;
}
