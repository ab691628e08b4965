// The one project writer: its sinks agree with each other, and the digest of
// values tells changed projects from unchanged ones whatever the file's layout.
#include "host/project/project_writer.h"

#include <gtest/gtest.h>

#include "support/test_project_node.h"
#include "host/framework/member_rw_interface.h"
#include <nlohmann/json.hpp>
#include "host/project/project_file.h"

using ds_test::test_project_node;

namespace {

ds_digest::digest digest_of(const std::function<void(ds_digest::member_digest&)>& feed)
{
    ds_digest::member_digest digest;
    feed(digest);
    return digest.finish();
}

}  // namespace

TEST(ProjectWriter, OnePassFeedsTextAndDigestAlike)
{
    test_project_node first = test_project_node::sample();
    test_project_node second;
    second.set_node_tag("DS-0002");
    const std::vector<const data_node_base*> nodes{&first, &second};

    std::string text;
    ds_digest::member_digest digest;
    ds_project::project_sinks sinks;
    sinks.text = [&](std::string_view piece) { text += piece; };
    sinks.digest = &digest;
    ds_project::write_project(nodes, sinks);

    const auto document = nlohmann::ordered_json::parse(text);
    EXPECT_EQ(text, document.dump(2) + "\n");
    EXPECT_EQ(text, ds_project::project_text(nodes));
    EXPECT_EQ(digest.finish(), ds_project::project_digest(nodes));
    EXPECT_EQ(ds_project::project_text({}), "{\n  \"format\": \"ds-pedestal-project\",\n  \"format_version\": 1,\n  \"nodes\": []\n}\n");

    // The same values laid out on one line load to the digest of the values,
    // not of the text; a changed value changes it.
    const auto loaded = ds_project::load_project_text(document.dump(), "one line");
    EXPECT_EQ(loaded.digest, ds_project::project_digest(nodes));
    first.m_dWidth += 0.5;
    EXPECT_NE(loaded.digest, ds_project::project_digest(nodes));
    first.m_dWidth -= 0.5;
    second.set_node_name("renamed");
    EXPECT_NE(loaded.digest, ds_project::project_digest(nodes));
}

TEST(ProjectWriter, DigestTellsKindKeyNestingAndTextApart)
{
    using ds_json::member_value;
    const auto one = [](const member_value& v) {
        return digest_of([&](ds_digest::member_digest& d) { d.value({"a", "a"}, v); });
    };
    EXPECT_EQ(one(member_value::of(1)), one(member_value::of(1)));
    EXPECT_NE(one(member_value::of(1)), one(member_value::of(1.0)));
    EXPECT_NE(one(member_value::of(0.0)), one(member_value::of(-0.0)));
    EXPECT_NE(one(member_value::of(true)), one(member_value::of(1)));
    EXPECT_NE(one(member_value::of_text("ab", "ab")), one(member_value::of_text("a", "a")));
    // Texts are length-prefixed, so moving a character from a key to a value is seen.
    const auto pair = [](const char* key, const char* text) {
        return digest_of([&](ds_digest::member_digest& d) { d.value({key, key}, member_value::of_text(text, text)); });
    };
    EXPECT_NE(pair("ab", "c"), pair("a", "bc"));
    // The same value inside or after an object.
    const auto nested = [](bool inside) {
        return digest_of([&](ds_digest::member_digest& d) {
            d.object_begin({"o", "o"}, x_mark_object_begin);
            if (inside) d.value({"a", "a"}, member_value::of(1));
            d.object_end();
            if (!inside) d.value({"a", "a"}, member_value::of(1));
        });
    };
    EXPECT_NE(nested(true), nested(false));
}
