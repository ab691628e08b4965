// Extension modules: a module's classes are collected while it is mapped,
// handed to its extension-module record by AfxInitExtensionModule, and become
// searchable when its CDynLinkLibrary record is created. AfxTermExtensionModule
// removes the record again, so an unloaded module's classes are no longer found.
#pragma once

#include "host/afx/cobject.h"
#include "host/afx/windows_types.h"

#include <vector>

struct AFX_EXTENSION_MODULE {
    bool bInitialized = false;
    HINSTANCE hModule = nullptr;
    CRuntimeClass* pFirstClass = nullptr;  ///< the module's own class list
};

/// Takes over the classes registered since the last module was initialised.
/// Returns FALSE when the host refuses the module (see afx_test_refuse_next_init).
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HINSTANCE instance);
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, bool all = false);

/// The record that makes an extension module's classes searchable; owned by the
/// class library (deleted by AfxTermExtensionModule).
class CDynLinkLibrary {
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
    ~CDynLinkLibrary();
    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

    AFX_EXTENSION_MODULE& module() const { return m_state; }

private:
    AFX_EXTENSION_MODULE& m_state;
};

/// Test seam: the next AfxInitExtensionModule fails.
void afx_test_refuse_next_init();
/// The classes of every attached extension module, in the order of their lists.
std::vector<const CRuntimeClass*> afx_attached_module_classes();
/// Number of live dynamic-link-library records (for tests and diagnostics).
int afx_dyn_link_library_count();
