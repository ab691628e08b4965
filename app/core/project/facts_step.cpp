// Showing and setting the project's facts.
#include "app/core/project/facts_step.h"

#include "app/core/project/node_lookup.h"
#include "app/core/project/shown_text.h"
#include "host/text/encoding.h"

namespace ds_app {

namespace {

std::string fact_text(const CString& value) { return value.IsEmpty() ? "-" : shown(value); }

std::string known_captions()
{
    std::string list;
    for (const project_fact_field& field : project_fact_fields())
        list += (list.empty() ? "" : ", ") + ds_text::to_utf8(CString(field.caption));
    return list;
}

/// The facts after `assignments`, refused whole at the first that does not fit.
project_facts assigned(project_facts facts, const std::vector<std::string>& assignments)
{
    for (const std::string& assignment : assignments) {
        const std::size_t equals = assignment.find('=');
        if (equals == std::string::npos)
            throw step_refused("--set " + assignment + ": write CAPTION=VALUE, e.g. " + utf8_literal(u8"设计=张三"), "--set");
        const CString caption = narrow_argument(assignment.substr(0, equals), "fact caption");
        const auto field = project_fact_named(caption);
        if (!field)
            throw step_refused("--set " + assignment + ": no fact of that caption; the facts are " + known_captions(),
                               "--set");
        const CString value = narrow_argument(assignment.substr(equals + 1), "fact value");
        if (const std::string problem = project_fact_problem(*field, value); !problem.empty())
            throw step_refused("--set " + assignment + ": " + problem, "--set");
        facts.*field->member = value;
    }
    return facts;
}

}  // namespace

void report_project_facts(const project_facts& facts, step_report& report)
{
    for (const project_fact_field& field : project_fact_fields())
        report.line("  " + ds_text::to_utf8(CString(field.caption)) + ": " + fact_text(facts.*field.member));
}

void set_project_facts(workspace& project, const std::vector<std::string>& assignments, step_report& report)
{
    project_facts_node* node = project.first_of<project_facts_node>();
    const project_facts before = node ? node->facts() : project_facts{};
    const project_facts after = assigned(before, assignments);
    if (after == before) {
        report.line("project facts unchanged");
        return;
    }
    if (!node) node = &dynamic_cast<project_facts_node&>(project.create("project_facts_node", "项目信息"));
    node->set_facts(after);
    for (const project_fact_field& field : project_fact_fields())
        if (before.*field.member != after.*field.member)
            report.line(ds_text::to_utf8(CString(field.caption)) + ": " + fact_text(before.*field.member) + " -> " +
                        fact_text(after.*field.member));
}

CString title_project_text(const project_facts& facts)
{
    if (facts.bridge.IsEmpty()) return facts.project;
    if (facts.project.IsEmpty()) return facts.bridge;
    return facts.project + " " + facts.bridge;
}

}  // namespace ds_app
