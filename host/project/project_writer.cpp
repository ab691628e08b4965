// Writing a project to its sinks in one pass.
#include "host/project/project_writer.h"

#include <exception>
#include <optional>

#include "host/json/json_text_writer.h"
#include "host/json/json_write_stream.h"
#include "host/project/project_file.h"
#include "host/project/record_limits.h"
#include "host/text/encoding.h"

namespace ds_project {
namespace {

/// The text before the first entry. The entries follow, laid out as
/// nlohmann/json lays out the elements of an array two levels deep.
const std::string& text_before_entries()
{
    static const std::string text = "{\n  \"format\": \"" + std::string(format_name) + "\",\n  \"format_version\": " +
                                    std::to_string(format_version) + ",\n  \"nodes\": [";
    return text;
}
constexpr std::string_view text_after_entries = "\n  ]\n}\n";
constexpr std::string_view text_after_no_entries = "]\n}\n";

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
            m_text->string(class_name);
            m_text->raw(",\n      \"tag\": ");
            m_text->string(tag);
            m_text->raw(",\n      \"name\": ");
            m_text->string(name);
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
                                          check && !check_if_changed ? record_limits::violation_observer(found) : ds_json::value_observer());
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
    if (text) text->raw(text_before_entries());
    entry_writer entries(sinks, text ? &*text : nullptr);
    for (std::size_t i = 0; i < nodes.size(); ++i)
        with_node_errors(nodes[i], i, [&](const data_node_base& node, const std::string& place) { entries.write(node, place, i); });
    if (!text) return;
    text->raw(nodes.empty() ? text_after_no_entries : text_after_entries);
    text->flush();
}

}  // namespace ds_project
