// The project's facts are a node like any other: saved and loaded with the
// project, found by the title blocks through the data centre, and absent (all
// facts empty) from a project saved before it existed.
#include <gtest/gtest.h>

#include "app/core/project/facts_step.h"
#include "app/core/project/workspace.h"
#include "support/temp_folder.h"
#include "support/utf8_literal.h"

namespace {

using ds_test::utf8;

class ProjectFacts : public ds_test::temp_folder_test {};

TEST_F(ProjectFacts, RoundTripThroughTheProjectFileAndOldProjectsHaveNone)
{
    const std::filesystem::path file = m_dir / "p.json";
    project_facts facts;
    {
        ds_app::workspace project;
        project.add_sample_bridge();
        project.save(m_dir / "old.json");
        ds_app::step_report report;
        ds_app::set_project_facts(project, {utf8(u8"项目名称=沿江高速"), utf8(u8"桥名=一号桥"), "number_prefix=DS-", utf8(u8"设计=张三"), utf8(u8"复核=李四"),
                                            utf8(u8"审核=王五"), utf8(u8"日期=2026-12-07"), utf8(u8"单位=某院")},
                                  report);
        facts = current_project_facts();
        EXPECT_EQ(facts.bridge, CString("一号桥"));
        EXPECT_EQ(facts.number_prefix, CString("DS-"));
        EXPECT_EQ(ds_app::title_project_text(facts), CString("沿江高速 一号桥"));
        project.save(file);
    }
    EXPECT_EQ(current_project_facts(), project_facts{});  // the node left the data centre with its project

    {
        ds_app::workspace loaded;
        loaded.load(file);
        ASSERT_NE(loaded.first_of<project_facts_node>(), nullptr);
        EXPECT_EQ(current_project_facts(), facts);
        // Setting a fact again changes nothing: the project has one facts node.
        ds_app::step_report report;
        ds_app::set_project_facts(loaded, {utf8(u8"设计=张三")}, report);
        std::size_t nodes = 0;
        for (const auto& node : loaded.nodes()) nodes += dynamic_cast<project_facts_node*>(node.get()) != nullptr;
        EXPECT_EQ(nodes, 1u);
    }

    ds_app::workspace old;
    old.load(m_dir / "old.json");
    EXPECT_EQ(old.first_of<project_facts_node>(), nullptr);
    EXPECT_EQ(current_project_facts(), project_facts{});
}

TEST_F(ProjectFacts, AnAssignmentThatDoesNotFitChangesNothing)
{
    ds_app::workspace project;
    ds_app::step_report report;
    ds_app::set_project_facts(project, {utf8(u8"设计=张三")}, report);
    for (const std::string& bad : {utf8(u8"校对=李四"), utf8(u8"设计"), utf8(u8"设计=") + std::string(65, 'x'), utf8(u8"设计=a\nb")})
        EXPECT_THROW(ds_app::set_project_facts(project, {utf8(u8"审核=王五"), bad}, report), ds_app::step_refused) << bad;
    EXPECT_EQ(current_project_facts().approver, CString());
    EXPECT_EQ(current_project_facts().designer, CString("张三"));
}

}  // namespace
