// The project's facts (project name, bridge, drawing-number prefix, the names
// of the signature strip, date, organisation): shown, set, and handed to the
// title blocks of every sheet drawn from the project.
#pragma once

#include <string>
#include <vector>

#include "app/core/project/step_report.h"
#include "app/core/project/workspace.h"
#include "host/framework/project_facts.h"

namespace ds_app {

/// One line per fact, "  设计: 张三" (an empty fact shows as "-").
void report_project_facts(const project_facts& facts, step_report& report);

/// Applies "CAPTION=VALUE" assignments (UTF-8; the caption or the stream key
/// names the fact, an empty value clears it) to the project's facts node,
/// making it when the project has none, and reports each change. Throws
/// step_refused naming the assignment, before anything changes, when a
/// caption is unknown or a value breaks a fact's rule.
void set_project_facts(workspace& project, const std::vector<std::string>& assignments, step_report& report);

/// The project text a title block shows: "项目名称 桥名", either part left out when empty.
CString title_project_text(const project_facts& facts);

}  // namespace ds_app
