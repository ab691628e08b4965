// The module's DllMain: sets up the extension module and the rebar sample on
// process attach, and takes the extension module down on detach.
#include "frame/ds_ui_module.h"

#include "frame/ds_rebar_sample.h"
#include "host/afx/extension_module.h"

namespace {
AFX_EXTENSION_MODULE DS_uiDLL;
}

extern "C" BOOL DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(DS_uiDLL, hInstance)) return FALSE;
        VQDraw_DS_UINA::register_rebar_table_sample();
        new CDynLinkLibrary(DS_uiDLL);  // owned by the class library
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(DS_uiDLL);
    }
    return TRUE;
}
