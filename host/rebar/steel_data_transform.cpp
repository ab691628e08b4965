// steel_data_transform: the whole rebar and the bars grouped by part, and the store of interned groups.
#include "host/rebar/steel_data_transform.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <type_traits>

#include "host/text/number_format.h"

namespace {

using RXDSGNMOD::CRXComponentSteelP0;

// Length-prefixed fields make the key unambiguous whatever bytes the texts hold.
void append_field(std::string& key, const std::string& field)
{
    key += std::to_string(field.size());
    key += ':';
    key += field;
}

void append_field(std::string& key, double value) { append_field(key, number_format::significant(value, 17)); }

std::string content_key(const CString& group_name, const std::vector<steel_bar_row>& bars)
{
    std::string key;
    append_field(key, group_name.str());
    for (const steel_bar_row& row : bars) {
        steel_bar_fields::for_each([&](const char*, const char*, auto member) {
            const auto& value = row.*member;
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, CString>) append_field(key, value.str());
            else append_field(key, static_cast<double>(value));
        });
    }
    return key;
}

// Lives as long as the library, so the pointers handed out never dangle.
std::map<std::string, std::unique_ptr<CRXComponentSteelP0>>& interned_groups()
{
    static std::map<std::string, std::unique_ptr<CRXComponentSteelP0>> groups;
    return groups;
}

CRXComponentSteelP0* intern(const CString& group_name, std::vector<steel_bar_row> bars)
{
    auto& slot = interned_groups()[content_key(group_name, bars)];
    if (!slot) slot = std::make_unique<CRXComponentSteelP0>(group_name, std::move(bars));
    return slot.get();
}

}  // namespace

namespace steel_data_transform {

void get_steel_data_group(const steel_data& data, std::vector<CRXComponentSteelP0*>& groups)
{
    groups.clear();
    if (data.m_bars.empty()) return;
    groups.push_back(intern(whole_rebar_group, data.m_bars));
    std::vector<std::pair<CString, std::vector<steel_bar_row>>> by_part;
    for (const steel_bar_row& row : data.m_bars) {
        auto found = std::find_if(by_part.begin(), by_part.end(), [&](const auto& group) { return group.first == row.m_part; });
        if (found == by_part.end()) found = by_part.insert(by_part.end(), {row.m_part, {}});
        found->second.push_back(row);
    }
    for (auto& [part, bars] : by_part) groups.push_back(intern(part, std::move(bars)));
}

std::size_t interned_group_count()
{
    return interned_groups().size();
}

}  // namespace steel_data_transform
