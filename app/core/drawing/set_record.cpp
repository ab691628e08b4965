// The record of the last set, kept as JSON beside its files.
#include "app/core/drawing/set_record.h"

#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "app/core/project/runtime_objects.h"
#include "host/framework/atomic_file.h"
#include "host/json/text_digest.h"
#include "host/project/project_writer.h"
#include "host/substructure/substructure_graph_data.h"

namespace ds_app {

namespace {

using nlohmann::json;

/// The record's own version: a record of another version is not read, and all is drawn.
constexpr int record_version = 1;
/// A record larger than this is no record this program wrote.
constexpr std::uintmax_t max_record_bytes = 64u << 20;

std::string hex(const ds_digest::digest& d)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char byte : d) text += {digits[byte >> 4], digits[byte & 15]};
    return text;
}

void add_node(ds_digest::text_digest& sum, const data_node_base& node)
{
    ds_project::project_sinks sinks;
    sinks.text = [&](std::string_view piece) { sum.add(piece); };
    ds_project::write_project({&node}, sinks);
}

bool is_drawing(const data_node_base& node)
{
    return is_of_class(node, module_class::single_drawing) || is_of_class(node, module_class::parametric_drawing);
}

set_record parsed(const json& j)
{
    set_record record;
    record.inputs = j.at("inputs").get<std::string>();
    record.total = j.at("total").get<std::size_t>();
    for (const auto& [tag, d] : j.at("drawings").items()) {
        recorded_drawing& entry = record.drawings[tag];
        entry.digest = d.at("digest").get<std::string>();
        entry.passed = d.at("passed").get<bool>();
        entry.first = d.at("first").get<std::size_t>();
        entry.stems = d.at("stems").get<std::vector<std::string>>();
    }
    return record;
}

}  // namespace

std::string record_digest(const data_node_base& node)
{
    ds_digest::text_digest sum;
    add_node(sum, node);
    return hex(sum.finish());
}

std::string set_inputs_digest(const workspace& project, const std::vector<bool>& formats)
{
    ds_digest::text_digest sum;
    for (const auto& node : project.nodes())
        if (!is_drawing(*node) && !dynamic_cast<const substructure_graph_data*>(node.get())) add_node(sum, *node);
    std::string chosen = "formats:";
    for (const bool on : formats) chosen += on ? '1' : '0';
    sum.add(chosen);
    return hex(sum.finish());
}

std::optional<set_record> read_set_record(const std::filesystem::path& folder)
{
    const std::filesystem::path path = folder / set_record_name;
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > max_record_bytes) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    try {
        const json j = json::parse(text.str());
        if (j.at("version").get<int>() != record_version) return std::nullopt;
        return parsed(j);
    } catch (const json::exception&) {
        return std::nullopt;
    }
}

void write_set_record(const std::filesystem::path& folder, const set_record& record)
{
    json drawings = json::object();
    for (const auto& [tag, d] : record.drawings)
        drawings[tag] = {{"digest", d.digest}, {"passed", d.passed}, {"first", d.first}, {"stems", d.stems}};
    const json j = {{"version", record_version}, {"inputs", record.inputs}, {"total", record.total}, {"drawings", drawings}};
    ds_file::write_file_atomically(folder / set_record_name, j.dump(1) + "\n");
}

}  // namespace ds_app
