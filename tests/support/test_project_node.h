// A small data node for the stream and project-file tests. It serializes the
// way the module's records do: a guard tag, "version" first, members by name, a
// nested record, a list of records and a list of text pairs; version 1 files
// carry only the count and the name.
#pragma once

#include <utility>
#include <vector>

#include "host/framework/data_node_base.h"

namespace ds_test {

struct test_row {
    CString m_strMark;
    double m_dDia = 0;
    int m_iNum = 0;

    void serialize_members(member_rw_interface& stream);
    bool operator==(const test_row&) const = default;
};

class test_project_node : public data_node_base {
    DECLARE_DYNCREATE(test_project_node)
public:
    int m_iCount = 0;
    CString m_strName;
    double m_dWidth = 0;
    bool m_bVisible = false;
    test_row m_inner;
    std::vector<test_row> m_rows;
    std::vector<std::pair<CString, CString>> m_notes;

    void serialize_members(member_rw_interface& stream) override;
    /// A node with every member set, GBK text and empty strings included.
    static test_project_node sample();
    bool same_members(const test_project_node& other) const;
};

}  // namespace ds_test
