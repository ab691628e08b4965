// The field catalogue: every member the module stores and every grid cell it
// shows has exactly one entry, and the one check answers each kind of field
// as the doors need.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "data/ds_ui_csh_data.h"
#include "data/ds_ui_data.h"
#include "host/fields/field_catalogue.h"
#include "host/framework/atomic_file.h"
#include "host/grid/table_templates.h"
#include <nlohmann/json.hpp>
#include "host/project/project_file.h"
#include "host/project/record_limits.h"
#include "host/substructure/substructure_graph_data.h"
#include "host/text/encoding.h"
#include "support/temp_folder.h"

namespace {

using field_catalogue::field;
using nlohmann::ordered_json;

/// Keys that shape the stored form rather than hold a value.
bool is_structural(const std::string& key)
{
    return key == "version" || key == "count" || key == "external_reference_tag" || key == "delete_flag";
}

/// Every stored value below `members` as (key, parent, grandparent), skipping
/// the host's own base records and booleans (flags no person types).
void walk(const ordered_json& object, const std::vector<std::string>& path,
          const std::function<void(const std::string&, const std::vector<std::string>&)>& visit)
{
    for (const auto& [key, value] : object.items()) {
        if (key == "xbjg_graph_data_base" || key == "xbjg_parameters_graph_data_base") continue;
        std::vector<std::string> inner = path;
        inner.push_back(key);
        const bool pedestal_count = key == "count" && !path.empty() && path.back() == "m_pedestals";
        if (value.is_object()) walk(value, inner, visit);
        else if (pedestal_count || (!value.is_boolean() && !is_structural(key))) visit(key, path);
    }
}

/// Drawings holding one of everything a member can hold: list rows, bars,
/// note items, merge records and a structure's pedestals.
std::vector<std::unique_ptr<data_node_base>> full_drawings()
{
    auto single = std::make_unique<VQDraw_DS_UINA::DS_ui_data>();
    single->set_default_value();
    auto& common = single->m_draw_data.m_drawSet.com_drawset;
    common.m_custom_note_items.push_back({"注", "文字"});
    common.m_merge_infos.emplace_back();
    auto parametric = std::make_unique<VQDraw_DS_UINA::DS_ui_CSH_data>();
    parametric->m_csh_data.emplace_back();
    auto pier = std::make_unique<QD_pier_graph_data>();
    pier->set_pedestals({ds_gz_data{}});
    std::vector<std::unique_ptr<data_node_base>> nodes;
    nodes.push_back(std::move(single));
    nodes.push_back(std::move(parametric));
    nodes.push_back(std::move(pier));
    return nodes;
}

std::string part(const std::vector<std::string>& path, std::size_t back)
{
    return path.size() >= back ? path[path.size() - back] : std::string();
}

TEST(FieldCatalogue, EveryStoredMemberHasOneEntryAndEveryEntryIsHeld)
{
    std::set<const field*> held;
    const auto nodes = full_drawings();
    for (const auto& node : nodes) {
        const ordered_json document = ordered_json::parse(ds_project::project_text({node.get()}));
        walk(document["nodes"][0]["members"], {}, [&](const std::string& key, const std::vector<std::string>& path) {
            const field* f = field_catalogue::find_stored(key, part(path, 1), part(path, 2));
            EXPECT_NE(f, nullptr) << "no catalogue entry for the stored member " << part(path, 1) << "/" << key;
            held.insert(f);
        });
    }
    for (const field& f : field_catalogue::all_fields())
        if (*f.stored) {
            EXPECT_TRUE(held.count(&f)) << "the catalogue entry " << f.name << " (" << f.stored << ") names a member nothing stores";
        }
}

TEST(FieldCatalogue, EveryGridCellHasOneEntryAndEveryGridPlaceExists)
{
    std::set<std::pair<std::string, std::string>> cells;
    for (const CString& name : table_templates::get_sample_names()) {
        std::unique_ptr<CVQDataBase> table(table_templates::create_data_base(name));
        for (const CString& key : table->get_keys()) {
            cells.insert({name.str(), key.str()});
            EXPECT_NE(field_catalogue::find(name, key), nullptr) << "no catalogue entry for the grid cell " << name << "." << key;
        }
    }
    for (const field& f : field_catalogue::all_fields())
        for (const field_catalogue::place& p : f.places)
            if (*p.key) {
                EXPECT_TRUE(cells.count({p.table, p.key})) << f.name << " names the grid cell " << p.table << "." << p.key
                                                           << ", which no table has";
            }
}

struct door_case {
    const char* what;
    const char* table;
    const char* key;
    const char* value;
    bool accepted;
    const char* rule_part;  ///< a piece of the refusal's rule or hint
};

TEST(FieldCatalogue, CheckAnswersEachKindOfField)
{
    const door_case cases[] = {
        // heights of a single drawing: blanks, commas and semicolons separate
        {"two heights", "垫石-构造属性", "m_dHeight", "220,230", true, ""},
        {"semicolon and blank", "垫石-构造属性", "m_dHeight", "220; 230 240", true, ""},
        {"full-width comma", "垫石-构造属性", "m_dHeight", "220，230", false, "separate heights with , ; or a space"},
        {"enumeration comma", "垫石-构造属性", "m_dHeight", "220、230", false, "separate heights with"},
        {"a word among heights", "垫石-构造属性", "m_dHeight", "220,abc", false, "\"abc\" is not a number"},
        {"no height", "垫石-构造属性", "m_dHeight", "", false, "at least one height"},
        {"negative and zero", "垫石-构造属性", "m_dHeight", "-5,0", false, "from 0.001"},
        {"an empty height between commas", "垫石-构造属性", "m_dHeight", "220,,230", false, "an empty height"},
        {"a comma before the first height", "垫石-构造属性", "m_dHeight", ",220", false, "an empty height"},
        {"a comma after the last height", "垫石-构造属性", "m_dHeight", "220,", false, "an empty height"},
        {"blanks around the separators", "垫石-构造属性", "m_dHeight", " 220 ,  230 ", true, ""},
        {"a comma taken as thousands", "垫石-构造属性", "m_dHeight", "220230", false, "to 100000"},
        // a list row's heights: only commas separate
        {"list row heights", "垫石-参数化列表", "m_strH", "200, 250", true, ""},
        {"semicolon in a list row", "垫石-参数化列表", "m_strH", "200;250", false, "separate heights with ,"},
        // choices
        {"input mode", "垫石-总体属性", "m_GetType", "外部引用", true, ""},
        {"input mode empty", "垫石-总体属性", "m_GetType", "", false, "choices"},
        {"input mode not offered", "垫石-总体属性", "m_GetType", "导入", false, "one of the choices"},
        {"concrete in lower case", "通用绘图设置", "m_strConcreteType", "c45", false, "C45"},
        {"concrete", "垫石-绘图设置", "m_strConcreteType", "C45", true, ""},
        // whole numbers and reals
        {"negative structure number", "垫石-参数化列表", "m_iN", "-1", false, "from 0"},
        {"count in range", "垫石-构造属性", "m_iCount", "1000", true, ""},
        {"count beyond", "垫石-构造属性", "m_iCount", "1001", false, "to 1000"},
        {"count with a fraction", "垫石-构造属性", "m_iCount", "3.7", false, "whole number"},
        {"zero width", "垫石-构造属性", "m_dWidth", "0", false, "from 0.001"},
        {"a sub-normal width", "垫石-构造属性", "m_dWidth", "1e-320", false, "from 0.001"},
        {"zero angle", "垫石-构造属性", "m_slope", "0", false, "above 0 and below 180"},
        {"zero cover means not given", "通用绘图设置", "m_dCover", "0", true, ""},
        {"width as text", "垫石-构造属性", "m_dWidth", "560mm", false, "needs a number"},
        // texts
        {"empty bridge part of a row", "垫石-参数化列表", "m_strQF", "", false, "empty"},
        {"NUL in a name", "垫石-参数化列表", "m_strQF", "", false, "\\x00"},
        {"line break in a name", "垫石-参数化列表", "m_strQF", "主线\n右幅", false, "\\x0A"},
        {"line break in a note", "通用绘图设置", "m_strCustomNote", "一\n二", true, ""},
        {"carriage return in a note", "通用绘图设置", "m_strCustomNote", "一\r\n二", false, "\\x0D"},
        {"name of 65 characters", "垫石-参数化列表", "m_strQF", nullptr, false, "at most 64"},
    };
    for (const door_case& c : cases) {
        const field* f = field_catalogue::find(c.table, c.key);
        ASSERT_NE(f, nullptr) << c.what;
        CString value = c.value ? CString(c.value) : CString(std::string(65, 'a').c_str());
        if (std::string_view(c.what) == "NUL in a name") value = CString(std::string("ab\0x", 4));
        const auto refused = field_catalogue::check(*f, value);
        EXPECT_EQ(!refused, c.accepted) << c.what << ": " << (refused ? refused->rule : "accepted");
        if (refused) {
            EXPECT_NE((refused->rule + " " + refused->hint).find(c.rule_part), std::string::npos)
                << c.what << ": " << refused->rule << " / " << refused->hint;
        }
    }
}

TEST(FieldCatalogue, StoredValuesAreCheckedLooselyAndBadTextsCountAsDamage)
{
    const field* count = field_catalogue::find_stored("m_iCount", "m_gz", "m_draw_data");
    const field* heights = field_catalogue::find_stored("strHei", "m_gz");
    const field* bridge = field_catalogue::find_stored("m_strQF", "item_3", "m_csh_data");
    const field* note = field_catalogue::find_stored("item_0_value", "m_custom_note_items");
    ASSERT_TRUE(count && heights && bridge && note);
    EXPECT_STREQ(bridge->name, "row.bridge_part");
    EXPECT_STREQ(field_catalogue::find_stored("m_strQF", "com_drawset")->name, "settings.bridge_part");
    EXPECT_STREQ(field_catalogue::find_stored("m_strH", "m_csh_name")->name, "list.height_name");

    EXPECT_FALSE(field_catalogue::check_stored(*count, ordered_json(0)));  // whether 0 pedestals draw is the design check's question
    EXPECT_TRUE(field_catalogue::check_stored(*count, ordered_json(1001)));
    EXPECT_FALSE(field_catalogue::check_stored(*heights, "-5,abc"));
    EXPECT_TRUE(field_catalogue::check_stored(*heights, "200,220230"));
    EXPECT_FALSE(field_catalogue::check_stored(*bridge, ""));
    const auto nul = field_catalogue::check_stored(*bridge, std::string("a\0b", 3));
    ASSERT_TRUE(nul);
    EXPECT_TRUE(nul->damage);
    EXPECT_FALSE(field_catalogue::check_stored(*note, "一\n二"));
    EXPECT_TRUE(field_catalogue::check_stored(*note, std::string(field_catalogue::max_note_chars + 1, 'x'))->damage);
}

// No door may store what the loader refuses: whatever check() accepts,
// check_stored() takes without a refusal or damage.
TEST(FieldCatalogue, WhatADoorAcceptsTheLoaderAccepts)
{
    using field_catalogue::field_kind;
    std::size_t tried = 0;
    for (const field& f : field_catalogue::all_fields()) {
        std::vector<std::pair<CString, ordered_json>> values;  // as typed (GBK), as stored
        const auto& r = f.range;
        switch (f.kind) {
        case field_kind::whole:
        case field_kind::real:
            for (double v : {r.min, r.max, (r.min + r.max) / 2, r.min + 1, r.max - 1, 0.0}) {
                const CString text(std::to_string(f.kind == field_kind::whole ? double(long(v)) : v).c_str());
                values.push_back({text, f.kind == field_kind::whole ? ordered_json(long(v)) : ordered_json(v)});
            }
            break;
        case field_kind::heights:
            values.push_back({"0.5,100000", "0.5,100000"});
            values.push_back({"200,,210", "200,,210"});
            break;
        case field_kind::choice:
            for (const char* c : f.choices) values.push_back({c, ds_text::to_utf8(std::string_view(c))});
            break;
        case field_kind::text: {
            std::string wide;  // the longest text of two-byte characters the field takes
            for (std::size_t i = 0; i < f.max_chars; ++i) wide += "垫";
            values.push_back({CString(wide), ds_text::to_utf8(std::string_view(wide))});
            if (f.multi_line) values.push_back({"a\nb", "a\nb"});
            break;
        }
        }
        for (const auto& [typed, stored] : values) {
            if (field_catalogue::check(f, typed)) continue;
            ++tried;
            const auto refused = field_catalogue::check_stored(f, stored);
            EXPECT_FALSE(refused) << f.name << " = " << stored.dump() << ": " << refused->rule;
        }
    }
    EXPECT_GT(tried, field_catalogue::all_fields().size());
}

/// The warnings of loading a project holding `node`, or the load's refusal.
std::string load_outcome(data_node_base& node)
{
    const std::string text = ds_project::project_text({&node});
    try {
        std::string warnings;
        for (const auto& d : ds_project::load_project_text(text, "p.json").warnings)
            warnings += (d.unread ? "unread: " : "") + d.message + "\n";
        return warnings;
    } catch (const std::exception& e) {
        return std::string("refused: ") + e.what();
    }
}

TEST(FieldCatalogue, LoaderRefusesValuesBeyondLimitsAndMarksBadTextsAsDamage)
{
    struct load_case {
        const char* what;
        std::function<void(VQDraw_DS_UINA::DS_ui_data&)> edit;
        const char* outcome;  ///< a piece of the outcome; "" for a clean load
    };
    const load_case cases[] = {
        {"defaults", [](auto&) {}, ""},
        {"zero pedestals", [](auto& d) { d.m_draw_data.m_gz.m_iCount = 0; }, ""},
        {"too many pedestals", [](auto& d) { d.m_draw_data.m_gz.m_iCount = 1001; }, "refused: "},
        {"heights merged into one number", [](auto& d) { d.m_draw_data.m_gz.strHei = "220230"; }, "refused: "},
        {"NUL in the bridge part",
         [](auto& d) { d.m_draw_data.m_drawSet.com_drawset.m_strQF = CString(std::string("a\0b", 3)); },
         "unread: drawing \"d\": m_draw_data/m_drawSet/com_drawset/m_strQF = \"a\\x00b\" breaks a text rule"},
        {"line break in the note", [](auto& d) { d.m_draw_data.m_drawSet.com_drawset.m_strCustomNote = "a\nb"; }, ""},
        {"escape in the pedestal number", [](auto& d) { d.m_draw_data.m_drawSet.m_DS_number = "\x1B[2J"; }, "\\x1B"},
        {"overlong bar mark", [](auto& d) { d.m_draw_data.m_Steel_P0.m_bars.at(0).m_mark = std::string(65, 'N'); },
         "at most 64"},
    };
    for (const load_case& c : cases) {
        VQDraw_DS_UINA::DS_ui_data drawing;
        drawing.set_default_value();
        drawing.set_node_name("d");
        c.edit(drawing);
        const std::string outcome = load_outcome(drawing);
        if (!*c.outcome) EXPECT_EQ(outcome, "") << c.what;
        else EXPECT_NE(outcome.find(c.outcome), std::string::npos) << c.what << ": " << outcome;
    }
}

class FieldCatalogueSave : public ds_test::temp_folder_test {};

// Behind every door, a save refuses a project its loader would refuse, and
// leaves the old file as it was.
TEST_F(FieldCatalogueSave, NoSaveWritesWhatTheLoaderRefuses)
{
    const std::filesystem::path file = m_dir / "p.json";
    VQDraw_DS_UINA::DS_ui_data drawing;
    drawing.set_default_value();
    drawing.set_node_name("d");
    ds_project::pending_save(file, {&drawing}).commit();
    const std::string saved = ds_file::read_whole_file(file);

    drawing.m_draw_data.m_gz.strHei = "200,220230";
    ds_project::pending_save refused(file, {&drawing});
    try {
        refused.commit();
        ADD_FAILURE() << "saved a height the loader refuses";
    } catch (const ds_project::project_error& e) {
        EXPECT_NE(std::string(e.what()).find("m_draw_data/m_gz/strHei = \"200,220230\""), std::string::npos) << e.what();
    }
    EXPECT_EQ(ds_file::read_whole_file(file), saved);
    EXPECT_EQ(files_in_dir(), 1u);

    // A node the caller vouches for by its digest (loaded unchanged) is not
    // checked again; any other is, and the one written is asked about.
    std::vector<ds_digest::digest> asked;
    const auto vouch = [&asked](bool answer) {
        return [&asked, answer](const data_node_base&, const ds_digest::digest& values) {
            asked.push_back(values);
            return answer;
        };
    };
    EXPECT_THROW(ds_project::pending_save(file, {&drawing}, vouch(false)).commit(), ds_project::project_error);
    ds_project::pending_save trusted(file, {&drawing}, vouch(true));
    EXPECT_NO_THROW(trusted.commit()) << "a node vouched for was checked again";
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], asked[1]);
}

}  // namespace
