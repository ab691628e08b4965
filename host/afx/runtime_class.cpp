// Class lists and lookup by name for the host and its extension modules.
#include <algorithm>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/afx/extension_module.h"

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr, nullptr};

namespace {

struct class_registry {
    std::vector<CRuntimeClass*> host_classes;
    std::vector<CRuntimeClass*> pending;  // registered while a module is being mapped
    std::vector<std::unique_ptr<CDynLinkLibrary>> libraries;
    bool refuse_next_init = false;
    /// Classes by name, so that a lookup (the host makes one for every class
    /// test of every node) does not compare names along the lists. Rebuilt on
    /// the first lookup after the lists changed.
    std::unordered_map<std::string_view, CRuntimeClass*> by_name;
    bool index_stale = true;
};

class_registry& registry()
{
    static class_registry instance;
    return instance;
}

/// Rebuilds the index when a list changed. The first class of a name wins:
/// the host's own before the modules', modules in attach order.
void refresh_index(class_registry& reg)
{
    if (!reg.index_stale) return;
    reg.by_name.clear();
    for (CRuntimeClass* c : reg.host_classes) reg.by_name.emplace(c->m_lpszClassName, c);
    for (const auto& lib : reg.libraries)
        for (CRuntimeClass* c = lib->module().pFirstClass; c; c = c->m_pNextClass) reg.by_name.emplace(c->m_lpszClassName, c);
    reg.index_stale = false;
}

}  // namespace

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* c = this; c; c = c->m_pfnGetBaseClass ? c->m_pfnGetBaseClass() : nullptr)
        if (c == base) return true;
    return false;
}

CRuntimeClass* CRuntimeClass::FromName(const char* class_name)
{
    if (!class_name) return nullptr;
    auto& reg = registry();
    refresh_index(reg);
    const auto it = reg.by_name.find(class_name);
    return it == reg.by_name.end() ? nullptr : it->second;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }
void CObject::Serialize(void*) {}
void CObject::AssertValid() const {}
void CObject::Dump(void*) const {}
bool CObject::IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* new_class) { registry().pending.push_back(new_class); }
AFX_HOST_CLASSINIT::AFX_HOST_CLASSINIT(CRuntimeClass* new_class)
{
    registry().host_classes.push_back(new_class);
    registry().index_stale = true;
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HINSTANCE instance)
{
    auto& reg = registry();
    if (reg.refuse_next_init) {
        reg.refuse_next_init = false;
        return FALSE;
    }
    if (state.bInitialized) return TRUE;  // a second attach keeps the class list it has
    state.hModule = instance;
    for (CRuntimeClass* c : reg.pending) {
        c->m_pNextClass = state.pFirstClass;
        state.pFirstClass = c;
    }
    reg.pending.clear();
    reg.index_stale = true;
    state.bInitialized = true;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, bool)
{
    auto& libs = registry().libraries;
    libs.erase(std::remove_if(libs.begin(), libs.end(), [&](const auto& lib) { return &lib->module() == &state; }),
               libs.end());
    registry().index_stale = true;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state) : m_state(state)
{
    // The class library owns the record, as it does on the host: keep it in the list.
    registry().libraries.emplace_back(this);
    registry().index_stale = true;
}

CDynLinkLibrary::~CDynLinkLibrary() = default;

void afx_test_refuse_next_init() { registry().refuse_next_init = true; }
std::vector<const CRuntimeClass*> afx_attached_module_classes()
{
    std::vector<const CRuntimeClass*> classes;
    for (const auto& lib : registry().libraries)
        for (const CRuntimeClass* c = lib->module().pFirstClass; c; c = c->m_pNextClass) classes.push_back(c);
    return classes;
}

int afx_dyn_link_library_count() { return static_cast<int>(registry().libraries.size()); }
