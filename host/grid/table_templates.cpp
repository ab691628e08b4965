// table_templates: the process-wide sample store.
#include "host/grid/table_templates.h"

#include <map>
#include <memory>
#include <utility>

#include "host/grid/pedestal_table_templates.h"

namespace {

class template_store {
public:
    template_store() { seed_builtins(); }

    std::map<CString, std::unique_ptr<CVQDataBase>> samples;
    std::vector<std::pair<CString, table_templates::sample_extender>> extenders;

    void seed_builtins()
    {
        samples.clear();
        for (auto& table : pedestal_table_templates::build_all()) {
            const CString name = table->get_table_name();
            samples[name] = std::move(table);
        }
        for (const auto& [name, extend] : extenders) extend(sample_for_extension(name));
    }

    CVQDataBase& sample_for_extension(const CString& name)
    {
        auto& slot = samples[name];
        if (!slot) slot = std::make_unique<CVQDataBase>(grid_table_kind::property, name);
        return *slot;
    }
};

// Built on first use, so modules and host parts that register during static
// initialisation find it ready whatever the order of initialisation.
template_store& store()
{
    static template_store instance;
    return instance;
}

}  // namespace

namespace table_templates {

void add_database_sample(const CString& name, CVQDataBase* table)
{
    std::unique_ptr<CVQDataBase> owned(table);
    if (!owned || name.IsEmpty()) return;
    store().samples[name] = std::move(owned);
}

CVQDataBase* create_data_base(const CString& name)
{
    auto found = store().samples.find(name);
    return found == store().samples.end() ? nullptr : found->second->clone();
}

void extend_sample(const CString& name, const sample_extender& extend)
{
    if (name.IsEmpty() || !extend) return;
    store().extenders.emplace_back(name, extend);
    extend(store().sample_for_extension(name));
}

bool remove_database_sample(const CString& name)
{
    return store().samples.erase(name) > 0;
}

void reset_samples()
{
    store().seed_builtins();
}

bool has_database_sample(const CString& name)
{
    return store().samples.count(name) > 0;
}

std::vector<CString> get_sample_names()
{
    std::vector<CString> names;
    for (const auto& entry : store().samples) names.push_back(entry.first);
    return names;
}

}  // namespace table_templates
