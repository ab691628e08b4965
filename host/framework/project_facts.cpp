// The project's facts node: its fields, their checks, and how it is stored.
#include "host/framework/project_facts.h"

#include "host/framework/data_center.h"
#include "host/framework/serialization_guard.h"
#include "host/text/encoding.h"

IMPLEMENT_HOST_DYNCREATE(project_facts_node, data_node_base)

namespace {
constexpr int kFactsVersion = 1;

std::size_t code_points(const std::string& utf8)
{
    std::size_t count = 0;
    for (const unsigned char c : utf8) count += (c & 0xC0) != 0x80;
    return count;
}
}  // namespace

const std::vector<project_fact_field>& project_fact_fields()
{
    static const std::vector<project_fact_field> fields = {
        {"project", "项目名称", &project_facts::project},
        {"bridge", "桥名", &project_facts::bridge},
        {"number_prefix", "图号前缀", &project_facts::number_prefix},
        {"designer", "设计", &project_facts::designer},
        {"checker", "复核", &project_facts::checker},
        {"approver", "审核", &project_facts::approver},
        {"date", "日期", &project_facts::date},
        {"organisation", "单位", &project_facts::organisation},
    };
    return fields;
}

std::optional<project_fact_field> project_fact_named(const CString& name)
{
    for (const project_fact_field& field : project_fact_fields())
        if (name == field.caption || name == field.key) return field;
    return std::nullopt;
}

std::string project_fact_problem(const project_fact_field& field, const CString& value)
{
    for (const unsigned char c : std::string(value.str()))
        if (c < 0x20 || c == 0x7F) return std::string(field.key) + ": a title-block fact holds no control characters";
    if (code_points(ds_text::to_utf8_for_display(value)) > static_cast<std::size_t>(max_project_fact_length))
        return std::string(field.key) + ": at most " + std::to_string(max_project_fact_length) + " characters";
    return {};
}

void project_facts_node::copy(const data_node_base& source, bool copy_tag)
{
    data_node_base::copy(source, copy_tag);
    if (auto* other = dynamic_cast<const project_facts_node*>(&source)) m_facts = other->m_facts;
}

void project_facts_node::serialize_members(member_rw_interface& stream)
{
    data_node_base::serialize_members(stream);
    const CString key = "project_facts";
    stream.mark(key, x_mark_object_begin);
    {
        x_object_flag_serialization_guard guard(key, stream);
        int version = kFactsVersion;
        stream.serialize("version", version);
        for (const project_fact_field& field : project_fact_fields()) stream.serialize(field.key, m_facts.*field.member);
    }
    stream.mark(key, x_mark_object_end);
}

project_facts_node* find_project_facts_node()
{
    for (const CString& tag : data_center::get_all_tags())
        if (auto* node = dynamic_cast<project_facts_node*>(data_center::get_data_node(tag))) return node;
    return nullptr;
}

project_facts current_project_facts()
{
    const project_facts_node* node = find_project_facts_node();
    return node ? node->facts() : project_facts{};
}
