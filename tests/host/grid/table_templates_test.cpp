// The template store: built-in pedestal samples, fresh copies, registration
// by modules, and extensions of a sample from outside the grid library.
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "host/grid/table_templates.h"

namespace {

using table_ptr = std::unique_ptr<CVQDataBase>;

// The store is process-wide: every test leaves it as it found it, so a sample
// the module registered stays for the tests that come later.
class TableTemplates : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const CString& name : table_templates::get_sample_names())
            m_saved.emplace_back(name, table_ptr(table_templates::create_data_base(name)));
    }
    void TearDown() override
    {
        for (const CString& name : table_templates::get_sample_names()) table_templates::remove_database_sample(name);
        for (auto& [name, table] : m_saved) table_templates::add_database_sample(name, table.release());
    }

private:
    std::vector<std::pair<CString, table_ptr>> m_saved;
};

TEST_F(TableTemplates, BuiltInPedestalTablesCarryTheirKeys)
{
    const std::vector<std::pair<const char*, std::vector<CString>>> expected = {
        {"垫石-总体属性", {"m_GetType", "m_Ref_path", "m_Num", "m_dWidth", "m_dLenth", "m_dHeight", "m_slope", "m_DS_count"}},
        {"垫石-构造属性", {"m_dWidth", "m_dLenth", "m_dHeight", "m_slope", "m_iCount"}},
        {"垫石-参数化列表名称", {"m_H"}},
        {"垫石-参数化列表", {"m_Type", "m_strQF", "m_iN", "m_iCount", "m_type", "m_strH", "m_dWid", "m_dLen", "m_dAngle"}},
    };
    for (const auto& [name, keys] : expected) {
        table_ptr table(table_templates::create_data_base(name));
        ASSERT_TRUE(table) << name;
        EXPECT_EQ(table->get_keys(), keys) << name;
    }

    // Every table handed out is a copy: edits reach neither the sample nor the next copy.
    table_ptr first(table_templates::create_data_base("垫石-构造属性"));
    first->user_set_prop("m_dWidth", CVQVariant(999.0));
    first->SetEnvVariable("COMP_TYPE", {"柱式墩"}, false);
    first->add_property("m_new", "新增");
    table_ptr second(table_templates::create_data_base("垫石-构造属性"));
    double width = -1.0;
    EXPECT_FALSE(second->Get_Prop("m_dWidth", width));
    EXPECT_EQ(second->IsUserModifyData(), 0);
    EXPECT_EQ(second->get_env_variable("COMP_TYPE"), nullptr);
    EXPECT_FALSE(second->has_key("m_new"));

    table_templates::reset_samples();
    EXPECT_EQ(table_templates::create_data_base("垫石_钢筋表"), nullptr);  // the module's, not the host's
    EXPECT_EQ(table_templates::create_data_base("no such template"), nullptr);
}

TEST_F(TableTemplates, ASampleRegisteredTwiceKeepsTheSecond)
{
    auto* first = new CVQDataBase(grid_table_kind::property, "first");
    first->add_property("m_a", "甲");
    table_templates::add_database_sample("测试-样表", first);
    auto* second = new CVQDataBase(grid_table_kind::property, "second");
    second->add_property("m_b", "乙");
    table_templates::add_database_sample("测试-样表", second);

    table_ptr made(table_templates::create_data_base("测试-样表"));
    ASSERT_TRUE(made);
    EXPECT_EQ(made->get_keys(), std::vector<CString>{"m_b"});

    table_templates::add_database_sample("测试-样表", nullptr);  // ignored
    EXPECT_TRUE(table_templates::has_database_sample("测试-样表"));
    table_templates::add_database_sample("", new CVQDataBase());  // not registered, not leaked
    EXPECT_FALSE(table_templates::has_database_sample(""));

    EXPECT_TRUE(table_templates::remove_database_sample("测试-样表"));
    EXPECT_FALSE(table_templates::remove_database_sample("测试-样表"));
    EXPECT_EQ(table_templates::create_data_base("测试-样表"), nullptr);
}

TEST_F(TableTemplates, ExtensionsApplyAtOnceAndAfterAReset)
{
    // The store keeps the extender for good, so it must not point into this test.
    auto runs_counter = std::make_shared<int>(0);
    const int& runs = *runs_counter;
    table_templates::extend_sample("测试-扩展表", [runs_counter](CVQDataBase& table) {
        ++*runs_counter;
        table.add_property("m_scale", "比例");
    });
    EXPECT_EQ(runs, 1);
    table_ptr table(table_templates::create_data_base("测试-扩展表"));
    ASSERT_TRUE(table);
    EXPECT_EQ(table->get_caption("m_scale"), CString("比例"));

    table_templates::remove_database_sample("测试-扩展表");
    table_templates::reset_samples();
    EXPECT_EQ(runs, 2);
    table.reset(table_templates::create_data_base("测试-扩展表"));
    ASSERT_TRUE(table);
    EXPECT_EQ(table->get_keys(), std::vector<CString>{"m_scale"});
}

}  // namespace

