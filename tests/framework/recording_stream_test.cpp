// The recording test stream: it logs calls faithfully and replays a log (or a
// hand-made old layout) as a reading stream.
#include "support/recording_stream.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/test_project_node.h"

using namespace ds_test;
using testing::ElementsAre;

TEST(recording_stream, RecordsOrderTagsAndReadsBackARecord)
{
    test_project_node node = test_project_node::sample();
    node.m_rows.resize(1);
    node.m_notes.resize(1);
    recording_stream out;
    node.serialize_members(out);
    EXPECT_THAT(out.key_values(),
                ElementsAre("version=2", "m_iCount=3", "m_strName=1号墩 左幅", "m_dWidth=560.25", "m_bVisible=true",
                            "m_inner{", "version=1", "m_strMark=N1", "m_dDia=12", "m_iNum=4", "}m_inner", "m_rows[",
                            "count=1", "item_0{", "version=1", "m_strMark=N2", "m_dDia=16", "m_iNum=8", "}item_0",
                            "]m_rows", "m_notes[", "count=1", "item_0_key=注", "item_0_value=尺寸以毫米计",
                            "]m_notes"));
    EXPECT_EQ(recording_stream::tag_path(out.find("m_iNum")), "test_project_node/test_row");
    EXPECT_EQ(recording_stream::tag_path(out.find("m_iCount")), "test_project_node");

    test_project_node back;
    recording_stream in(out.entries());
    back.serialize_members(in);
    EXPECT_TRUE(back.m_iCount == node.m_iCount && back.m_rows == node.m_rows && back.m_notes == node.m_notes);
    EXPECT_THAT(in.keys(), testing::Contains("item_0_value"));
    EXPECT_TRUE(in.diagnostics().empty());
}

TEST(recording_stream, HandMadeOldLayoutReadsOnlyItsKeys)
{
    test_project_node node;
    node.m_dWidth = 7;
    recording_stream in({value_entry("version", 1), value_entry("m_iCount", 4), value_entry("m_strName", "旧")});
    node.serialize_members(in);
    EXPECT_THAT(in.key_values(), ElementsAre("version=1", "m_iCount=4", "m_strName=旧"));
    EXPECT_EQ(node.m_strName, CString("旧"));
    EXPECT_EQ(node.m_dWidth, 7.0);

    // A damaged entry: the read is logged as failed and the member keeps its value.
    test_project_node damaged;
    recording_stream bad({value_entry("version", 1), value_entry("m_iCount", "many")});
    damaged.serialize_members(bad);
    EXPECT_FALSE(bad.find("m_iCount").ok);
    EXPECT_EQ(damaged.m_iCount, 0);
}
