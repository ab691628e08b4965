// Writing a project to its sinks in one pass.
#include "host/project/project_writer.h"

#include <exception>
#include <optional>

#include "host/json/json_text.h"
#include "host/json/json_text_writer.h"
#include "host/json/json_write_stream.h"
#include "host/project/project_file.h"
#include "host/project/record_limits.h"
#include "host/text/encoding.h"

using nlohmann::ordered_json;

namespace ds_project {
namespace {

ordered_json document_head()
{
    ordered_json document = ordered_json::object();
    document["format"] = format_name;
    document["format_version"] = format_version;
    document["nodes"] = ordered_json::array();
    return document;
}

/// The text of a project with no nodes.
const std::string& empty_project_text()
{
    static const std::string text = ds_json::dump_text(document_head()) + "\n";
    return text;
}

/// The text before the first entry: the empty project's head, which ends in "[]\n}\n",
/// up to its brackets. The entries follow, laid out as dump_text lays out the
/// elements of an array two levels deep.
std::string_view text_before_entries() { return std::string_view(empty_project_text()).substr(0, empty_project_text().size() - 4); }
constexpr std::string_view text_after_entries = "\n  ]\n}\n";

/// The node's class name, refused when the class cannot be created by that name.
const char* creatable_class_name(const data_node_base& node, const std::string& place)
{
    const char* class_name = node.GetRuntimeClass()->m_lpszClassName;
    if (CRuntimeClass::FromName(class_name) != node.GetRuntimeClass())
        throw project_error(place + ": class \"" + std::string(class_name) +
                            "\" cannot be created by name, so the project could not be loaded again");
    return class_name;
}

/// One node's entry, to every sink asked for.
class entry_writer {
public:
    entry_writer(const project_sinks& sinks, ds_json::json_text_writer* text) : m_sinks(sinks), m_text(text) {}

    void write(const data_node_base& node, const std::string& place, std::size_t index)
    {
        const char* class_name = creatable_class_name(node, place);
        // The tag and name go first in the text, but a fault in the members is
        // the one to report when both are wrong.
        std::string tag, name;
        std::exception_ptr text_fault;
        try {
            tag = ds_text::to_utf8(node.get_node_tag());
            name = ds_text::to_utf8(node.get_node_name());
        } catch (const ds_text::conversion_error&) {
            text_fault = std::current_exception();
        }
        std::vector<ds_json::member_sink*> members;
        if (m_text) {
            m_text->raw(index == 0 ? "\n    {\n      \"class\": " : ",\n    {\n      \"class\": ");
            m_text->value(class_name);
            m_text->raw(",\n      \"tag\": ");
            m_text->value(tag);
            m_text->raw(",\n      \"name\": ");
            m_text->value(name);
            m_text->raw(",\n      \"members\": ");
            m_text->begin_members(6);
            members.push_back(m_text);
        }
        if (m_sinks.digest) {
            m_sinks.digest->node(class_name, node.get_node_tag().str(), node.get_node_name().str());
            members.push_back(m_sinks.digest);
        }
        std::optional<record_limits::violation> found;
        const bool check = m_sinks.refusal && m_sinks.refusal->empty();
        const bool check_if_changed = check && m_sinks.checked && m_sinks.digest;
        ds_json::json_write_stream stream(members, place,
                                          check && !check_if_changed ? record_limits::violation_observer(found) : ds_json::value_observer(),
                                          m_sinks.document != nullptr);
        // serialize_members serves both directions and is therefore not const; a
        // writing stream only reads the node.
        const_cast<data_node_base&>(node).serialize_members(stream);
        stream.finish();
        if (m_sinks.digest) {
            const ds_digest::digest values = m_sinks.digest->end_node();
            if (check_if_changed && !m_sinks.checked(node, values)) found = record_limits::find_violation(node);
        }
        if (text_fault) std::rethrow_exception(text_fault);
        if (m_text) {
            m_text->end_members();
            m_text->raw("\n    }");
        }
        if (m_sinks.document) {
            ordered_json entry = ordered_json::object();
            entry["class"] = class_name;
            entry["tag"] = std::move(tag);
            entry["name"] = std::move(name);
            entry["members"] = stream.document();
            (*m_sinks.document)["nodes"].push_back(std::move(entry));
        }
        if (found) *m_sinks.refusal = place + ": " + record_limits::describe(*found, ds_text::to_utf8_for_display(node.get_node_name()));
    }

private:
    const project_sinks& m_sinks;
    ds_json::json_text_writer* m_text;
};

/// `write` for nodes[index], with every failure turned into a project_error naming the node.
template <class Write>
void with_node_errors(const data_node_base* node, std::size_t index, Write write)
{
    const std::string place = "nodes[" + std::to_string(index) + "]";
    if (!node) throw project_error(place + ": no node");
    try {
        write(*node, place);
    } catch (const project_error&) {
        throw;
    } catch (const ds_json::stream_error& e) {
        throw project_error(e.what());  // already names the node and the path
    } catch (const std::exception& e) {
        throw project_error(place + " (class \"" + node->GetRuntimeClass()->m_lpszClassName + "\"): " + e.what());
    }
}

}  // namespace

void write_project(const std::vector<const data_node_base*>& nodes, const project_sinks& sinks)
{
    std::optional<ds_json::json_text_writer> text;
    if (sinks.text) text.emplace(sinks.text);
    if (sinks.document) *sinks.document = document_head();
    if (text) text->raw(nodes.empty() ? std::string_view(empty_project_text()) : text_before_entries());
    entry_writer entries(sinks, text ? &*text : nullptr);
    for (std::size_t i = 0; i < nodes.size(); ++i)
        with_node_errors(nodes[i], i, [&](const data_node_base& node, const std::string& place) { entries.write(node, place, i); });
    if (!text) return;
    if (!nodes.empty()) text->raw(text_after_entries);
    text->flush();
}

}  // namespace ds_project
