// project_facts: what the project says of itself for every sheet it hands on —
// project and bridge name, the drawing-number prefix, the names in the
// signature strip, the date and the organisation — kept in the project as a
// node of its own.
//
// The node serializes its members through the same stream every node uses, so
// a project file holds it like any other node and a project saved before it
// existed simply has none: its facts are empty. Each fact is listed once, with
// its stream key and the caption an engineer types and reads (项目名称, 设计...).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/afx/cstring.h"
#include "host/framework/data_node_base.h"

/// The facts themselves, narrow (host code page) texts; empty when not given.
struct project_facts {
    CString project;        ///< 项目名称
    CString bridge;         ///< 桥名
    CString number_prefix;  ///< 图号前缀, e.g. "DS-"
    CString designer;       ///< 设计
    CString checker;        ///< 复核
    CString approver;       ///< 审核
    CString date;           ///< 日期, as the title block prints it
    CString organisation;   ///< 单位

    bool operator==(const project_facts&) const = default;
};

/// One fact: its stream key, its caption and where it lives.
struct project_fact_field {
    const char* key;      ///< stream key, e.g. "designer"
    const char* caption;  ///< caption, e.g. "设计" (host code page)
    CString project_facts::*member;
};

/// Every fact, in the order they are stored and shown.
const std::vector<project_fact_field>& project_fact_fields();

/// The fact whose caption (or stream key) is `name`, or nullopt.
std::optional<project_fact_field> project_fact_named(const CString& name);

/// Why `value` cannot be the fact `field` (control characters, too long), or empty when it can.
std::string project_fact_problem(const project_fact_field& field, const CString& value);

/// Most characters a fact holds: a title-block cell is short.
inline constexpr int max_project_fact_length = 64;

/// The node holding the project's facts; a project holds at most one.
class project_facts_node : public data_node_base {
    DECLARE_DYNCREATE(project_facts_node)
public:
    const project_facts& facts() const { return m_facts; }
    void set_facts(const project_facts& facts) { m_facts = facts; }

    void copy(const data_node_base& source, bool copy_tag) override;
    /// The base part under its own key, then "project_facts": guard tag of that
    /// name, "version" 1, then each fact under its key.
    void serialize_members(member_rw_interface& stream) override;

private:
    project_facts m_facts;
};

/// The facts node registered in the data centre, or null when the project has none.
project_facts_node* find_project_facts_node();
/// The project's facts: those of the registered node, empty when there is none.
project_facts current_project_facts();
