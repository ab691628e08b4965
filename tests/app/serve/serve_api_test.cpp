// The local server in-process: the steps of the served project (edits through
// the observer, refusals that change nothing, stale versions, undo and redo,
// the disk watch, pasted blocks, the import preview, the methods).
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <regex>
#include <sstream>

#include "app/core/project/node_view.h"
#include "host/json/json_read_stream.h"
#include "host/json/json_write_stream.h"
#include "support/served_project.h"

namespace {

using namespace ds_test;

TEST_F(Served, EditsGoThroughTheObserverAndRefusalsChangeNothing)
{
    const long v1 = version();
    const json done = edit("m_dWidth", "600", v1);
    EXPECT_TRUE(done["changed"]);
    EXPECT_NE(done["version"], v1);
    EXPECT_NE(done["lines"].dump().find(reinterpret_cast<const char*>(u8"560 → 600")), std::string::npos) << done["lines"];
    EXPECT_EQ(cell("m_dWidth"), "600");
    const std::string saved = file_bytes(file);
    EXPECT_NE(saved, file_bytes(template_file));

    const long v2 = done["version"];
    struct row {
        const char* value;
        const char* reason;
    } refused[] = {{"abc", "needs a number"}, {"200000", "100000"}, {"-5", "from 0.001"}, {"1e-320", "from 0.001"}, {"", "needs a number"}};
    for (const auto& r : refused) {
        const api_error e = refusal([&] { edit("m_dWidth", r.value, v2); });
        EXPECT_EQ(e.code, "refused") << r.value;
        EXPECT_NE(std::string(e.what()).find(r.reason), std::string::npos) << e.what();
    }
    EXPECT_EQ(refusal([&] { edit("m_noSuchKey", "1", v2); }).code, "refused");
    EXPECT_EQ(cell("m_dWidth"), "600");
    EXPECT_EQ(version(), v2);
    EXPECT_EQ(file_bytes(file), saved) << "a refused value is never saved";

    const api_error stale = refusal([&] { edit("m_dWidth", "610", v1); });
    EXPECT_EQ(stale.code, "reload");
    EXPECT_EQ(stale.status, 409);
    EXPECT_EQ(cell("m_dWidth"), "600");

    const auto before = fs::last_write_time(file);  // an edit that changes nothing does not rewrite the file
    EXPECT_FALSE(edit("m_dWidth", "600", v2)["changed"]);
    EXPECT_EQ(fs::last_write_time(file), before);
}

TEST_F(Served, UndoAndRedoRestoreTheDrawingAndSaveIt)
{
    edit("m_dWidth", "600", version());
    edit("m_dLenth", "700", version());
    EXPECT_EQ(project->state()["undo"], 2);
    project->undo(json::object(), false);
    EXPECT_EQ(cell("m_dLenth"), "560");
    EXPECT_EQ(cell("m_dWidth"), "600");
    project->undo(json::object(), false);
    EXPECT_EQ(cell("m_dWidth"), "560");
    EXPECT_EQ(file_bytes(file), file_bytes(template_file)) << "undoing every edit saves the text loaded";
    EXPECT_EQ(refusal([&] { project->undo(json::object(), false); }).code, "refused");
    project->undo(json::object(), true);
    EXPECT_EQ(cell("m_dWidth"), "600");
    edit("m_dHeight", "200", version());
    EXPECT_EQ(project->state()["redo"], 0) << "a new edit ends the redo list";
}

TEST_F(Served, AFileChangedOnDiskIsReloadedNeverOverwritten)
{
    const long v = version();
    const std::string theirs = file_bytes(template_file) + "\n";
    {
        std::ofstream other(dir / "other.json", std::ios::binary);
        other << theirs;
    }
    fs::rename(dir / "other.json", file);  // as another ds-host command's atomic save does
    EXPECT_TRUE(project->state()["changed_on_disk"]);
    EXPECT_EQ(refusal([&] { edit("m_dWidth", "600", v); }).code, "reload");
    EXPECT_EQ(refusal([&] { project->undo(json::object(), false); }).code, "reload");
    EXPECT_EQ(file_bytes(file), theirs);
    project->reload();
    EXPECT_FALSE(project->state()["changed_on_disk"]);
    EXPECT_EQ(refusal([&] { edit("m_dWidth", "600", v); }).code, "reload") << "versions from before the reload are stale";
    edit("m_dWidth", "600", version());
    EXPECT_EQ(cell("m_dWidth"), "600");
}

TEST_F(Served, APastedBlockIsTypedCellByCell)
{
    json paste{{"tag", tag}, {"version", version()}, {"table", construction}, {"key", "m_dWidth"}, {"text", "610\r\n570\r\n"}};
    project->paste(paste);
    EXPECT_EQ(cell("m_dWidth"), "610");
    EXPECT_EQ(cell("m_dLenth"), "570");
    paste["version"] = version();
    paste["text"] = "620\nwide";
    const api_error e = refusal([&] { project->paste(paste); });
    EXPECT_NE(std::string(e.what()).find("pasted cell 2:1"), std::string::npos) << e.what();
    EXPECT_EQ(cell("m_dWidth"), "610") << "a refused paste changes no cell";
}

// The difference lines name a list whose length changed from the stored form
// already at hand, not by writing the drawing again: the lengths read from it
// must be the ones a writing stream meets, with the same order and path.
TEST_F(Served, ListLengthsFromTheStoredFormAreThoseAWritingStreamMeets)
{
    std::size_t drawings = 0;
    bool nested = false;
    for (const auto& node : context->project().nodes()) {
        auto* drawing = dynamic_cast<graph_data_base*>(node.get());
        if (!drawing) continue;
        ++drawings;
        ds_app::list_lengths written;
        const auto stream = ds_json::json_write_stream::checking(
            [&](const ds_json::member_context& at, const std::string& key, const ds_json::member_value& value) {
                if (key == "count" && value.type == ds_json::member_value::kind::integer)
                    written.emplace_back(static_cast<const ds_json::json_write_stream&>(at).open_order(), at.open_path(), value.integer);
            });
        drawing->serialize_members(*stream);
        std::sort(written.begin(), written.end());
        const ds_app::list_lengths read = ds_app::stored_list_lengths(ds_app::stored_form(*drawing));
        EXPECT_EQ(read, written) << drawing->get_node_name().GetString();
        nested = nested || std::any_of(read.begin(), read.end(),
                                       [](const auto& c) { return std::get<1>(c).find('/') != std::string::npos; });
    }
    EXPECT_GE(drawings, 2u);
    EXPECT_TRUE(nested) << "lists inside list rows try the walk's order and paths below the top";
}

TEST_F(Served, AnImportPreviewChangesNothing)
{
    const auto workbook = project->xlsx_export(tag);
    ASSERT_GT(workbook.bytes.size(), 100u);
    const long v = version();
    const json preview = project->import_sheet({{"tag", tag}, {"version", v}}, workbook.bytes);
    EXPECT_TRUE(preview["dry_run"]);
    EXPECT_EQ(version(), v);
    EXPECT_EQ(refusal([&] { project->import_sheet({{"tag", tag}, {"version", v}, {"apply", true}}, "not a workbook"); }).code,
              "refused");
    EXPECT_EQ(file_bytes(file), file_bytes(template_file));
}

TEST_F(Served, OneValueSetForManyDrawingsGoesThroughEachObserver)
{
    const std::string second = project->add_drawing({{"name", "second"}})["tag"];
    std::string parametric;
    const json state = project->state();
    for (const auto& d : state["drawings"])
        if (d["kind"] == "parametric") parametric = d["tag"];
    const json concrete = project->project_table()["columns"][5];  // set through the column the page shows
    ASSERT_EQ(concrete["key"], "m_strConcreteType");
    const json done = project->set_many(
        {{"tags", {tag, parametric, second}}, {"table", concrete["table"]}, {"key", concrete["key"]}, {"value", "C35"}});
    ASSERT_EQ(done["results"].size(), 3u);
    EXPECT_TRUE(done["results"][0]["ok"]);
    EXPECT_FALSE(done["results"][1]["ok"]) << "a parametric drawing has no such table";
    EXPECT_TRUE(done["results"][2]["ok"]);
    const json table = project->project_table();
    for (const auto& row : table["rows"]) EXPECT_EQ(row["values"][5], "C35") << row["name"];
    EXPECT_EQ(project->state()["undo"], 3) << "the addition, and each drawing's change on its own";
    const json refused = project->set_many({{"tags", {tag}}, {"table", construction}, {"key", "m_dWidth"}, {"value", "x"}});
    EXPECT_FALSE(refused["results"][0]["ok"]);
    EXPECT_NE(refused["results"][0]["reason"].get<std::string>().find("needs a number"), std::string::npos);
}

TEST_F(Served, ReferenceMergeConvertAndDismantleRunTheMethods)
{
    const std::string pier1 = reinterpret_cast<const char*>(u8"主线1号墩");
    const std::string pier2 = reinterpret_cast<const char*>(u8"主线2号墩");
    const std::string first = reinterpret_cast<const char*>(u8"垫石");
    const json referred = project->reference({{"tag", tag}, {"version", version()}, {"structure", pier1}, {"rows", "1"}, {"numbers", "1,2"}});
    EXPECT_TRUE(referred["changed"]);
    EXPECT_EQ(refusal([&] { project->reference({{"tag", tag}, {"version", version()}, {"structure", "nowhere"}}); }).code, "refused");

    // A drawing made for a structure is named after it and refers to it at once.
    const json made = project->add_drawing({{"structure", pier2}});
    EXPECT_NE(made["lines"].dump().find("true"), std::string::npos) << made["lines"];
    const std::string second = pier2 + reinterpret_cast<const char*>(u8"垫石");
    EXPECT_EQ(project->drawing(made["tag"], "", std::nullopt)["name"], second);
    const std::vector<std::string> both{first, second};
    EXPECT_TRUE(project->method("check", {{"drawings", both}})["passed"]);
    const std::string merged = project->method("merge", {{"drawings", both}})["tag"];
    const json shown = project->drawing(merged, "", std::nullopt);
    EXPECT_EQ(shown["kind"], "parametric");
    EXPECT_EQ(shown["tables"]["templates"][0]["tables"][0]["rows"].size(), 2u) << "one list row per merged drawing";

    const std::size_t before = project->state()["drawings"].size();
    project->method("dismantle", {{"tag", merged}});
    EXPECT_GT(project->state()["drawings"].size(), before) << "dismantled drawings join the project";
    EXPECT_EQ(refusal([&] { project->method("dismantle", {{"tag", tag}}); }).code, "refused");
    EXPECT_EQ(refusal([&] { project->method("convert", {{"target", tag}, {"version", 0}, {"drawings", both}}); }).code,
              "refused");
    EXPECT_EQ(refusal([&] { project->method("erase", json::object()); }).code, "missing");
}

// The page acts on a refusal by the override that would pass it, never by its
// wording; a warning comes beside a step that was done, not as a refusal.
TEST_F(Served, ARefusalNamesItsOverrideAndAWarningIsNoRefusal)
{
    const std::string first = reinterpret_cast<const char*>(u8"垫石");
    const std::string wide_tag = project->add_drawing({{"name", "wide"}})["tag"];
    const long wide_version = project->drawing(wide_tag, "advanced", std::nullopt)["version"];
    project->edit({{"tag", wide_tag}, {"version", wide_version}, {"table", construction}, {"key", "m_dWidth"}, {"value", "600"}});
    std::string target;
    const json state = project->state();
    for (const auto& d : state["drawings"])
        if (d["kind"] == "parametric") target = d["tag"];
    const auto convert = [&](bool force) {
        const long at = project->drawing(target, "", std::nullopt)["version"];
        return project->method("convert", {{"target", target}, {"version", at}, {"drawings", {first, "wide"}}, {"force", force}});
    };
    const std::string before = file_bytes(file);
    const api_error refused = refusal([&] { convert(false); });
    EXPECT_EQ(refused.code, "refused");
    EXPECT_EQ(refused.details.value("override", ""), "force_convert");
    EXPECT_EQ(refused.details.value("place", ""), "list");
    EXPECT_EQ(std::string(refused.what()).find("--"), std::string::npos) << "no command-line words: " << refused.what();
    EXPECT_NE(refused.lines.dump().find("failed"), std::string::npos) << "the check's lines come along" << refused.lines;
    EXPECT_EQ(file_bytes(file), before);
    const json forced = convert(true);
    EXPECT_NE(forced["lines"].dump().find("convert anyway: converting despite the check"), std::string::npos) << forced["lines"];

    // The drawing is added, its reference refused: done, with a warning, and no error.
    const json added = project->add_drawing({{"structure", "nowhere"}});
    EXPECT_FALSE(added.contains("error"));
    ASSERT_EQ(added["warnings"].size(), 1u) << added;
    EXPECT_NE(added["warnings"][0].get<std::string>().find("the reference was refused"), std::string::npos);
    EXPECT_EQ(refused.details["warnings"], json::array()) << "a refusal's reason is no warning";
}

// The steps report to the page only: while one runs, nothing reaches standard output.
TEST_F(Served, AStepWithoutAListenerWritesNothingToStandardOutput)
{
    std::ostringstream caught;
    std::streambuf* const old = std::cout.rdbuf(caught.rdbuf());
    const json done = edit("m_dWidth", "600", version());
    const json checked = project->method("check", {{"drawings", json::array({reinterpret_cast<const char*>(u8"垫石")})}});
    std::cout.rdbuf(old);
    EXPECT_EQ(caught.str(), "");
    EXPECT_NE(done["lines"].dump().find("Saved the project"), std::string::npos) << done["lines"];
    EXPECT_NE(checked["lines"].dump().find("merge check of"), std::string::npos) << checked["lines"];
}

}  // namespace

namespace {

// The page's drawing set: refused before it is built; then the PDF of the
// numbered set and a zip of one DXF per sheet, and the progress of the build.
TEST_F(Served, TheDrawingSetIsBuiltThenOfferedAsPdfAndCadZip)
{
    EXPECT_THROW(project->set_pdf(), ds_app::api_error);
    EXPECT_THROW(project->set_cad(), ds_app::api_error);
    EXPECT_FALSE(project->set_build_progress()["building"].get<bool>());

    const json built = project->build_set();
    EXPECT_EQ(built["drawings"], 2);
    const std::size_t sheets = built["sheets"].get<std::size_t>();
    EXPECT_GE(sheets, 3u);  // the contents and at least one sheet per drawing
    // Neither drawing refers to a structure yet: both design checks fail, their findings sheets stand in the set.
    EXPECT_EQ(built["failed"], json::array({"list", reinterpret_cast<const char*>(u8"垫石")}));
    const json progress = project->set_build_progress();
    EXPECT_FALSE(progress["building"].get<bool>());
    EXPECT_EQ(progress["sheets_written"], sheets);

    const auto pdf = project->set_pdf();
    EXPECT_EQ(pdf.bytes.substr(0, 5), "%PDF-");
    const auto cad = project->set_cad();
    EXPECT_EQ(cad.bytes.substr(0, 4), std::string("PK\x03\x04", 4));
    std::size_t entries = 0;
    for (std::size_t at = cad.bytes.find(".dxf"); at != std::string::npos; at = cad.bytes.find(".dxf", at + 1)) ++entries;
    EXPECT_EQ(entries, 2 * sheets);  // each name stands in its local header and in the central directory
}

}  // namespace
