// Test node serialization, written the way module records are.
#include "support/test_project_node.h"

#include "host/framework/serialization_guard.h"
#include "host/substructure/record_list_serialization.h"

namespace ds_test {

void test_row::serialize_members(member_rw_interface& stream)
{
    x_object_flag_serialization_guard guard("test_row", stream);
    int version = 1;
    stream.serialize("version", version);
    stream.serialize("m_strMark", m_strMark);
    stream.serialize("m_dDia", m_dDia);
    stream.serialize("m_iNum", m_iNum);
}

IMPLEMENT_HOST_DYNCREATE(test_project_node, data_node_base)

void test_project_node::serialize_members(member_rw_interface& stream)
{
    x_object_flag_serialization_guard guard("test_project_node", stream);
    data_node_base::serialize_members(stream);
    int version = 2;
    stream.serialize("version", version);
    stream.serialize("m_iCount", m_iCount);
    stream.serialize("m_strName", m_strName);
    if (version < 2) return;

    stream.serialize("m_dWidth", m_dWidth);
    stream.serialize("m_bVisible", m_bVisible);

    stream.mark("m_inner", x_mark_object_begin);
    m_inner.serialize_members(stream);
    stream.mark("m_inner", x_mark_object_end);

    substructure_serialization::serialize_record_list(stream, "m_rows", m_rows);
    substructure_serialization::serialize_list(
        stream, "m_notes", m_notes, [](member_rw_interface& s, const CString& item, std::pair<CString, CString>& note) {
            s.serialize(item + "_key", note.first);
            s.serialize(item + "_value", note.second);
        });
}

test_project_node test_project_node::sample()
{
    test_project_node node;
    node.set_node_tag("DS-0001");
    node.set_node_name("垫石_钢筋表");
    node.m_iCount = 3;
    node.m_strName = "1号墩 左幅";
    node.m_dWidth = 560.25;
    node.m_bVisible = true;
    node.m_inner = {"N1", 12.0, 4};
    node.m_rows = {{"N2", 16.0, 8}, {"", 0.1, -1}};
    node.m_notes = {{"注", "尺寸以毫米计"}, {"", ""}};
    return node;
}

bool test_project_node::same_members(const test_project_node& other) const
{
    return get_node_tag() == other.get_node_tag() && get_node_name() == other.get_node_name() &&
           m_iCount == other.m_iCount && m_strName == other.m_strName && m_dWidth == other.m_dWidth &&
           m_bVisible == other.m_bVisible && m_inner == other.m_inner && m_rows == other.m_rows &&
           m_notes == other.m_notes;
}

}  // namespace ds_test
