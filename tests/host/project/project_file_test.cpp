// Project file: round trips of nodes through a file, and every file of the
// bad-file folder refused with a message that says where and what.
#include "host/project/project_file.h"

#include <filesystem>
#include <fstream>
#include <map>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/test_project_node.h"
#include "host/framework/atomic_file.h"
#include <nlohmann/json.hpp>
#include "support/error_text.h"
#include "support/temp_folder.h"
#include "support/utf8_literal.h"

using ds_project::load_project;
using ds_project::project_error;
using ds_project::save_project;
using ds_test::test_project_node;
using ds_test::utf8;
using testing::HasSubstr;

namespace {

const std::filesystem::path data_dir = std::filesystem::path(DS_FIXTURES_DIR) / "projects";

using ProjectFile = ds_test::temp_folder_test;

const test_project_node& as_test_node(const std::unique_ptr<data_node_base>& node)
{
    const auto* typed = dynamic_cast<const test_project_node*>(node.get());
    if (!typed) throw std::runtime_error("not a test_project_node");
    return *typed;
}

std::string load_error(const std::filesystem::path& path)
{
    return ds_test::error_text<project_error>([&] { load_project(path); });
}

std::vector<const data_node_base*> pointers(const std::vector<std::unique_ptr<data_node_base>>& nodes)
{
    std::vector<const data_node_base*> out;
    for (const auto& n : nodes) out.push_back(n.get());
    return out;
}

}  // namespace

TEST_F(ProjectFile, SavedNodesLoadBackEqualWithTheFileLayout)
{
    const test_project_node first = test_project_node::sample();
    test_project_node second;
    second.set_node_tag("DS-0002");
    const auto path = m_dir / "project.json";
    save_project(path, {&first, &second});

    const auto loaded = load_project(path);
    ASSERT_EQ(loaded.nodes.size(), 2u);
    EXPECT_TRUE(as_test_node(loaded.nodes[0]).same_members(first));
    EXPECT_TRUE(as_test_node(loaded.nodes[1]).same_members(second));
    EXPECT_TRUE(loaded.warnings.empty());

    // The file is UTF-8 text with the documented shape and members in writing order.
    const auto document = nlohmann::ordered_json::parse(ds_file::read_whole_file(path));
    EXPECT_EQ(document["format"], "ds-pedestal-project");
    EXPECT_EQ(document["format_version"], 1);
    const auto& node = document["nodes"][0];
    EXPECT_EQ(node["class"], "test_project_node");
    EXPECT_EQ(node["name"], utf8(u8"垫石_钢筋表"));
    std::vector<std::string> keys;
    for (const auto& [key, value] : node["members"].items()) keys.push_back(key);
    EXPECT_THAT(keys, testing::ElementsAre("version", "m_iCount", "m_strName", "m_dWidth", "m_bVisible", "m_inner",
                                           "m_rows", "m_notes"));
    EXPECT_EQ(node["members"]["m_notes"]["item_0_key"], utf8(u8"注"));

    // Saving the loaded nodes again writes the same document.
    save_project(m_dir / "again.json", pointers(loaded.nodes));
    EXPECT_EQ(ds_file::read_whole_file(m_dir / "again.json"), ds_file::read_whole_file(path));
}

TEST_F(ProjectFile, FailedSaveKeepsThePreviousFile)
{
    const auto path = m_dir / "project.json";
    const test_project_node good = test_project_node::sample();
    save_project(path, {&good});
    const std::string before = ds_file::read_whole_file(path);

    test_project_node bad = test_project_node::sample();
    bad.m_rows[1].m_strMark = CString("\xFF\xFE", 2);  // not GBK text
    const std::string message = ds_test::error_text<project_error>([&] { save_project(path, {&good, &bad}); });
    EXPECT_THAT(message, HasSubstr("project.json"));
    EXPECT_THAT(message, HasSubstr("nodes[1] test_project_node/m_rows/item_1(test_row)/m_strMark"));
    EXPECT_THROW(save_project(path, {&good, nullptr}), project_error);
    EXPECT_EQ(ds_file::read_whole_file(path), before);
    EXPECT_EQ(files_in_dir(), 1u) << "a temporary file was left";
}

TEST_F(ProjectFile, MissingAndUnknownEntriesLoadWithWarnings)
{
    const auto path = m_dir / "partial.json";
    std::ofstream(path) << R"({"format": "ds-pedestal-project", "format_version": 1, "saved_by": "x",
        "nodes": [{"class": "test_project_node", "tag": "t", "name": "n", "colour": 3,
                   "members": {"version": 2, "m_iCount": 7, "m_dWidth": 1.5, "m_bVisible": true,
                               "m_inner": {"version": 1, "m_strMark": "A", "m_dDia": 2, "m_iNum": 1, "m_extra": 0},
                               "m_rows": {"count": 0}, "m_notes": {"count": 0}}}]})";
    const auto loaded = load_project(path);
    ASSERT_EQ(loaded.nodes.size(), 1u);
    EXPECT_EQ(as_test_node(loaded.nodes[0]).m_iCount, 7);
    EXPECT_EQ(as_test_node(loaded.nodes[0]).m_inner.m_dDia, 2.0);

    std::vector<std::string> warnings;
    for (const auto& w : loaded.warnings) warnings.push_back(to_string(w));
    EXPECT_THAT(warnings, testing::UnorderedElementsAre(
                              "warning: saved_by: unknown entry ignored; it is not saved again",
                              "warning: nodes[0].colour: unknown entry ignored; it is not saved again",
                              "warning: nodes[0] test_project_node/m_strName: missing entry",
                              "warning: nodes[0] test_project_node/m_inner(test_row): entries not read: m_extra"));
    // All but the missing entry would be dropped by a save.
    EXPECT_EQ(unread_entries(loaded.warnings).size(), 3u);
}

TEST(ProjectFiles, GoodFilesLoadAndSaveBackUnchanged)
{
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(data_dir / "good")) {
        SCOPED_TRACE(entry.path().filename().string());
        ++count;
        const auto loaded = load_project(entry.path());
        EXPECT_TRUE(loaded.warnings.empty());
        const std::string saved = ds_project::project_text(pointers(loaded.nodes));
        // Saving lays the text out while the members come; it must be the library's layout of its document.
        EXPECT_EQ(saved, nlohmann::ordered_json::parse(saved).dump(2) + "\n");
        // The load digests the values as the nodes take them in, the same as a
        // save's digest; a node stored in an older layout is converted while
        // it reads, so its project counts as changed and is written anew.
        const bool older_layout = entry.path().filename().string().find("old") != std::string::npos ||
                                  entry.path().filename().string().find("version_1") != std::string::npos;
        EXPECT_EQ(loaded.digest == ds_project::project_digest(pointers(loaded.nodes)), !older_layout);
        const auto reloaded = ds_project::load_project_text(saved, "saved");
        EXPECT_EQ(ds_project::project_text(pointers(reloaded.nodes)), saved);
    }
    EXPECT_GE(count, 5u);
    const auto empty = ds_project::load_project_text(R"({"format": "ds-pedestal-project", "format_version": 1, "nodes": []})", "empty");
    EXPECT_EQ(empty.digest, ds_project::project_digest({}));
}

// Every bad file is refused with the file name and a clear reason; the fragment
// listed here must appear in the message. Files without a listed fragment still
// have to be refused cleanly.
TEST(ProjectFiles, BadFilesAreRefusedWithFileAndPlace)
{
    const std::map<std::string, std::vector<std::string>> expected = {
        {"truncated.json", {":", "unexpected end of input"}},
        {"empty.json", {":1:1:", "the document is empty"}},
        {"wrong_type_int.json", {"nodes[0] test_project_node/m_iCount", "expected an integer, found a string"}},
        {"fraction_as_int.json", {"m_iCount", "expected an integer, found the number 3.7"}},
        {"int_out_of_range.json", {"m_iCount", "3000000000 is out of range"}},
        {"wrong_type_bool.json", {"m_bVisible", "expected true or false"}},
        {"null_double.json", {"m_dWidth", "expected a number, found a null"}},
        {"nested_record_not_object.json", {"m_inner", "expected an object, found an array"}},
        {"nested_wrong_type.json", {"nodes[0] test_project_node/m_inner(test_row)/m_iNum"}},
        {"huge_count.json", {"m_rows/count", "2000000000 is larger than the 2 items present"}},
        {"negative_count.json", {"m_notes/count", "-5 is negative"}},
        {"count_beyond_items.json", {"m_notes/count", "larger than the 2 items present"}},
        {"deep_nesting.json", {":1:", "nesting deeper than 64"}},
        {"invalid_utf8.json", {":1:188:", "invalid UTF-8 in a string"}},
        {"lone_surrogate_escape.json", {"surrogate"}},
        {"character_gbk_lacks.json", {"m_strName", utf8(u8"U+00B2 \"²\"")}},
        {"character_gbk_lacks_in_name.json", {"nodes[0].name", "U+2205"}},
        {"duplicate_key.json", {":", "duplicate key \"m_iCount\""}},
        {"unknown_class.json", {"nodes[0]", "unknown class \"DS_no_such_class\""}},
        {"newer_format_version.json", {"format version 2", "newer version"}},
        {"format_version_zero.json", {"invalid format version 0"}},
        {"not_a_project.json", {"format: not a pedestal project file (format \"something-else\")"}},
        {"top_level_array.json", {"expected an object at the top"}},
        {"nodes_not_array.json", {"nodes: expected array, found object"}},
        {"node_not_object.json", {"nodes[0]: expected an object, found string"}},
        {"members_not_object.json", {"nodes[0].members: expected object, found string"}},
        {"missing_members.json", {"nodes[0].members: missing"}},
        {"class_not_string.json", {"nodes[0].class: expected string, found number"}},
        {"number_overflow.json", {":13:21:", "number too big to be stored in double"}},
        {"trailing_garbage.json", {":46:2:", "the document root must not be followed by other values"}},
        {"comment.json", {":1:1:"}},
        {"nul_byte.json", {":4:6:", "control character U+0000 in a string must be escaped"}},
        {"format_version_max_unsigned.json", {"format version 18446744073709551615", "newer version"}},
        {"pedestal_count_beyond_limit.json",
         {"nodes[0]: drawing \"" + utf8(u8"垫石_钢筋表") + "\": m_iCount = 2147483647", "1000 pedestals"}},
        {"width_beyond_limit.json", {"m_dWidth = 1e+308", "100000 mm"}},
        {"character_gbk_lacks_tag_character.json", {"nodes[0].name", "U+E0041"}},
        // Nodes are made while the text parses; the file's own faults still come first.
        {"bad_node_then_syntax_error.json", {":1:147:", "invalid value"}},
        {"bad_node_then_wrong_format.json", {"not a pedestal project file"}},
    };
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(data_dir / "bad")) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        ++count;
        if (!DS_NARROW_IS_GBK && name.starts_with("character_gbk_lacks")) continue;  // fine in a UTF-8 build
        const std::string message = load_error(entry.path());
        EXPECT_THAT(message, HasSubstr("cannot load project"));
        EXPECT_THAT(message, HasSubstr(name));
        if (const auto it = expected.find(name); it != expected.end()) {
            for (const auto& fragment : it->second) EXPECT_THAT(message, HasSubstr(fragment));
        }
    }
    EXPECT_GE(count, expected.size());
}
