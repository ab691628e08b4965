// Loading a project file: parsing, creating each node by class name and
// reading its members, checking the values as they arrive.
#include "host/project/project_file.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <iterator>
#include <optional>

#include "host/fields/field_catalogue.h"
#include "host/framework/atomic_file.h"
#include "host/json/json_flat_tree.h"
#include "host/json/json_read_stream.h"
#include "host/json/json_text.h"
#include "host/json/json_text_writer.h"
#include "host/json/json_write_stream.h"
#include "host/project/record_limits.h"
#include "host/text/encoding.h"

namespace ds_project {
namespace {

/// At most this many stream errors are listed in one message.
constexpr std::size_t listed_errors = 10;

std::string node_place(std::size_t index) { return "nodes[" + std::to_string(index) + "]"; }

[[noreturn]] void refuse_load(const std::string& source, const std::string& place, const std::string& what)
{
    throw project_error("cannot load project \"" + source + "\": " + (place.empty() ? "" : place + ": ") + what);
}

std::string member_place(const std::string& place, const char* key) { return place.empty() ? std::string(key) : place + "." + key; }

using kind = ds_json::flat_tree::kind;

/// Member `key` of the object `at` in `tree`, which must be present and of
/// the wanted kind (number_integer: any integer): the member's value.
std::size_t required(const ds_json::flat_tree& tree, std::size_t at, const char* key, kind wanted,
                     const std::string& source, const std::string& place)
{
    for (std::size_t c = at + 1; c < tree[at].end; c = tree[c].end) {
        if (tree.key(c) != key) continue;
        const bool integer = tree[c].type == kind::number_integer || tree[c].type == kind::number_unsigned;
        if (wanted == kind::number_integer ? !integer : tree[c].type != wanted) {
            const std::string name = wanted == kind::number_integer ? "an integer" : wanted == kind::string ? "string"
                                     : wanted == kind::object                    ? "object"
                                                                                 : "array";
            refuse_load(source, member_place(place, key), "expected " + name + ", found " + tree.type_name(c));
        }
        return c;
    }
    refuse_load(source, member_place(place, key), "missing");
}

/// Warns about a member this version does not know: it is not kept, so
/// saving the project again drops it.
void warn_unknown(std::string_view key, std::initializer_list<const char*> known, const std::string& place,
                  std::vector<stream_diagnostic>& warnings)
{
    for (const char* k : known)
        if (key == k) return;
    const std::string shown(key);
    warnings.push_back({diagnostic_severity::warning, place.empty() ? shown : place + "." + shown,
                        "unknown entry ignored; it is not saved again", true});
}

CString narrow_text(std::string_view utf8, const std::string& source, const std::string& place)
{
    try {
        return ds_text::from_utf8(utf8);
    } catch (const ds_text::conversion_error& e) {
        refuse_load(source, place, std::string("text does not convert: ") + e.what());
    }
}

/// `utf8` as a JSON string, quotes and control characters escaped.
std::string json_string(std::string_view utf8)
{
    std::string quoted;
    ds_json::json_text_writer writer([&](std::string_view piece) { quoted += piece; });
    writer.string(utf8);
    writer.flush();
    return quoted;
}

/// Checks the file's head and gives the value of its "nodes".
std::size_t check_head(const ds_json::flat_tree& head, const std::string& source)
{
    if (head[0].type != kind::object) refuse_load(source, "", std::string("expected an object at the top, found ") + head.type_name(0));
    const std::size_t format = required(head, 0, "format", kind::string, source, "");
    if (head.text(format) != format_name)
        refuse_load(source, "format", "not a pedestal project file (format " + json_string(head.text(format)) + ")");
    const std::size_t stored = required(head, 0, "format_version", kind::number_integer, source, "");
    // A version past the signed range (2^64-1) must not read as negative: clamp
    // it for the comparisons and show the number as written.
    const auto& v = head[stored];
    const std::int64_t number = v.type == kind::number_integer ? v.integer
                                : v.unsigned_integer > std::uint64_t(INT64_MAX) ? INT64_MAX
                                                                                : static_cast<std::int64_t>(v.unsigned_integer);
    const std::string version = head.scalar_text(stored);
    if (number > format_version)
        refuse_load(source, "format_version",
                    "the file was written by a newer version of the program (format version " + version +
                        "; this program reads up to version " + std::to_string(format_version) +
                        "); it is not loaded, so that nothing in it is lost");
    if (number < 1) refuse_load(source, "format_version", "invalid format version " + version);
    return required(head, 0, "nodes", kind::array, source, "");
}

std::unique_ptr<data_node_base> create_node(const std::string& class_name, const std::string& source,
                                            const std::string& place)
{
    CRuntimeClass* cls = CRuntimeClass::FromName(class_name.c_str());
    if (!cls) refuse_load(source, place, "unknown class \"" + class_name + "\"");
    std::unique_ptr<CObject> object(cls->CreateObject());
    if (!object) refuse_load(source, place, "class \"" + class_name + "\" cannot be created by name");
    auto* node = dynamic_cast<data_node_base*>(object.get());
    if (!node) refuse_load(source, place, "class \"" + class_name + "\" is not a data node");
    object.release();
    return std::unique_ptr<data_node_base>(node);
}

/// Reads the node's members, its values going to `digest` and `observer` as they arrive.
void read_members(data_node_base& node, const ds_json::flat_tree& tree, std::size_t members, const std::string& source,
                  const std::string& place, std::vector<stream_diagnostic>& warnings, ds_digest::member_digest* digest,
                  ds_json::value_observer observer)
{
    ds_json::json_read_stream stream(tree, members, place);
    stream.listen(digest, std::move(observer));
    try {
        node.serialize_members(stream);
    } catch (const std::exception& e) {
        refuse_load(source, place, e.what());
    }
    stream.finish();
    std::string errors;
    std::size_t error_count = 0;
    for (const auto& d : stream.diagnostics()) {
        if (d.severity == diagnostic_severity::warning) {
            warnings.push_back(d);
        } else if (++error_count <= listed_errors) {
            errors += "\n  " + d.path + ": " + d.message;
        }
    }
    if (error_count > listed_errors) errors += "\n  and " + std::to_string(error_count - listed_errors) + " more";
    if (error_count > 0) refuse_load(source, "", std::to_string(error_count) + " unusable entries:" + errors);
}

}  // namespace

namespace {

/// Makes nodes from the entries of "nodes" one by one, as the parser completes
/// them, so that the parsed file never stands in memory whole. The first
/// refusal is kept and thrown only by finish(), after the whole text has
/// parsed and the head was checked: a load is refused for the same reason
/// whichever way its entries arrive.
class node_loader {
public:
    explicit node_loader(const std::string& source) : m_source(source) {}

    void take(const ds_json::flat_tree& tree, std::size_t entry = 0)
    {
        const std::size_t index = m_taken++;
        if (m_refusal) return;  // the load fails anyway: spend nothing more on it
        try {
            m_nodes.push_back(load_node(tree, entry, index));
        } catch (const project_error&) {
            m_refusal = std::current_exception();
            m_nodes.clear();
        }
    }

    /// The loaded project, once `head` (the file, its entries aside) is checked.
    loaded_project finish(const ds_json::flat_tree& head)
    {
        check_head(head, m_source);
        if (m_refusal) std::rethrow_exception(m_refusal);
        loaded_project result;
        for (std::size_t c = 1; c < head[0].end; c = head[c].end)
            warn_unknown(head.key(c), {"format", "format_version", "nodes"}, "", result.warnings);
        result.warnings.insert(result.warnings.end(), std::make_move_iterator(m_node_warnings.begin()),
                               std::make_move_iterator(m_node_warnings.end()));
        result.nodes = std::move(m_nodes);
        result.node_digests = std::move(m_node_digests);
        result.digest = m_digest.finish();
        return result;
    }

private:
    std::unique_ptr<data_node_base> load_node(const ds_json::flat_tree& tree, std::size_t entry, std::size_t index)
    {
        const std::string place = node_place(index);
        if (tree[entry].type != kind::object) refuse_load(m_source, place, std::string("expected an object, found ") + tree.type_name(entry));
        const std::string_view class_name = tree.text(required(tree, entry, "class", kind::string, m_source, place));
        const std::string_view tag = tree.text(required(tree, entry, "tag", kind::string, m_source, place));
        const std::string_view name = tree.text(required(tree, entry, "name", kind::string, m_source, place));
        const std::size_t members = required(tree, entry, "members", kind::object, m_source, place);
        for (std::size_t c = entry + 1; c < tree[entry].end; c = tree[c].end)
            warn_unknown(tree.key(c), {"class", "tag", "name", "members"}, place, m_node_warnings);

        auto node = create_node(std::string(class_name), m_source, place);
        node->set_node_tag(narrow_text(tag, m_source, place + ".tag"));
        node->set_node_name(narrow_text(name, m_source, place + ".name"));
        m_digest.node(class_name, node->get_node_tag().str(), node->get_node_name().str());
        // Values are checked as the node takes them in, so a converted old
        // layout is checked on the keys it is stored under.
        std::optional<record_limits::violation> found;
        std::vector<record_limits::violation> damaged;
        const std::size_t warnings_before = m_node_warnings.size();
        read_members(*node, tree, members, m_source, place, m_node_warnings, &m_digest,
                     record_limits::violation_observer(found, &damaged));
        if (m_node_warnings.size() != warnings_before) digest_as_written(*node, class_name, place, found);
        m_node_digests.push_back(m_digest.end_node());
        if (found || !damaged.empty()) judge_as_written(*node, place, found, damaged);
        check_name(*node, place);
        const std::string name_text(name);
        if (found) refuse_load(m_source, place, record_limits::describe(*found, name_text));
        // A text breaking its rule is kept as read, but the project counts as
        // damaged: commands that would write it again refuse unless forced.
        for (const auto& text : damaged)
            m_node_warnings.push_back({diagnostic_severity::warning, place + " " + text.field,
                                       record_limits::describe(text, name_text), true});
        return node;
    }

    /// An entry missing or left unread can leave the record holding values it
    /// did not read (a list kept as it was created, everything of a layout it
    /// does not know), which a save writes all the same: such a node's digest is
    /// made from what it writes, as a save makes it, and those values are
    /// checked too, so that a command changing nothing leaves it unchanged.
    void digest_as_written(const data_node_base& node, std::string_view class_name, const std::string& place,
                           std::optional<record_limits::violation>& found)
    {
        m_digest.drop_node();
        m_digest.node(class_name, node.get_node_tag().str(), node.get_node_name().str());
        try {
            ds_json::json_write_stream stream({&m_digest}, place, record_limits::violation_observer(found));
            const_cast<data_node_base&>(node).serialize_members(stream);
            stream.finish();
        } catch (const std::exception& e) {
            refuse_load(m_source, place, std::string("the node read cannot be written again: ") + e.what());
        }
    }

    /// A value refused as read may not be what the node keeps: an old layout
    /// converts it, a list of one is read and dropped. The verdict is on what
    /// the node would write, as a save judges it, in the words a save uses.
    void judge_as_written(const data_node_base& node, const std::string& place,
                          std::optional<record_limits::violation>& found, std::vector<record_limits::violation>& damaged)
    {
        damaged.clear();
        try {
            found = record_limits::find_violation(node, &damaged);
        } catch (const std::exception& e) {
            refuse_load(m_source, place, std::string("the node read cannot be written again: ") + e.what());
        }
    }

    /// A name breaking the text rules of names (control characters, length)
    /// loads, as other damaged texts do, but marks the project as damaged.
    void check_name(const data_node_base& node, const std::string& place)
    {
        const auto refused = field_catalogue::check_text(node.get_node_name(), field_catalogue::max_name_chars, false);
        if (!refused) return;
        const std::string shown = field_catalogue::escaped(ds_text::to_utf8_for_display(node.get_node_name()));
        m_node_warnings.push_back(
            {diagnostic_severity::warning, place + ".name", "the name \"" + shown + "\" " + refused->rule, true});
    }

    const std::string& m_source;
    std::size_t m_taken = 0;
    std::vector<std::unique_ptr<data_node_base>> m_nodes;
    std::vector<stream_diagnostic> m_node_warnings;
    std::exception_ptr m_refusal;
    ds_digest::member_digest m_digest;  ///< the values as the nodes took them in
    std::vector<ds_digest::digest> m_node_digests;
};

/// Reads `utf8` and loads its nodes while reading.
loaded_project load_while_reading(std::string_view utf8, const std::string& source)
{
    node_loader loader(source);
    ds_json::flat_tree head;
    try {
        const ds_json::streamed_array nodes{"nodes", [&](const ds_json::flat_tree& entry) { loader.take(entry); }};
        head = ds_json::read_text(utf8, source, &nodes);
    } catch (const ds_json::json_text_error& e) {
        throw project_error(std::string("cannot load project: ") + e.what());
    }
    return loader.finish(head);
}

}  // namespace

loaded_project load_project(const std::filesystem::path& path)
{
    std::string text;
    try {
        text = ds_file::read_whole_file(path);
    } catch (const ds_file::file_error& e) {
        throw project_error(std::string("cannot load project: ") + e.what());
    }
    return load_while_reading(text, path.string());
}

loaded_project load_project_text(std::string_view utf8, const std::string& source)
{
    return load_while_reading(utf8, source);
}

}  // namespace ds_project
