// The module's library entry point, called by the host with the loader's
// reasons: process attach initialises the extension module, registers the
// rebar table sample and makes the module's classes findable by name.
#pragma once

#include "host/afx/windows_types.h"

extern "C" BOOL DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved);
