// Saving and loading the project file.
#include "host/project/project_file.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <functional>
#include <iterator>

#include "host/framework/atomic_file.h"
#include "host/project/json_stream.h"
#include "host/project/json_text.h"
#include "host/project/record_limits.h"
#include "host/grid/field_catalogue.h"
#include "host/text/encoding.h"

using nlohmann::ordered_json;

namespace ds_project {
namespace {

/// At most this many stream errors are listed in one message.
constexpr std::size_t listed_errors = 10;

std::string node_place(std::size_t index) { return "nodes[" + std::to_string(index) + "]"; }

[[noreturn]] void refuse_load(const std::string& source, const std::string& place, const std::string& what)
{
    throw project_error("cannot load project \"" + source + "\": " + (place.empty() ? "" : place + ": ") + what);
}

/// Member `key` of `object`, which must be present and of the wanted kind.
ordered_json& required(ordered_json& object, const char* key, ordered_json::value_t kind,
                             const std::string& source, const std::string& place)
{
    const auto it = object.find(key);
    const std::string where = place.empty() ? std::string(key) : place + "." + key;
    if (it == object.end()) refuse_load(source, where, "missing");
    const bool fits = kind == ordered_json::value_t::number_integer ? it->is_number_integer() : it->type() == kind;
    if (!fits) {
        const char* wanted = kind == ordered_json::value_t::number_integer ? "an integer" : ordered_json(kind).type_name();
        refuse_load(source, where, std::string("expected ") + wanted + ", found " + it->type_name());
    }
    return *it;
}

/// Warns about members of `object` this version does not know: they are not
/// kept, so saving the project again drops them.
void warn_unknown(const ordered_json& object, std::initializer_list<const char*> known, const std::string& place,
                  std::vector<stream_diagnostic>& warnings)
{
    for (const auto& [key, value] : object.items()) {
        bool is_known = false;
        for (const char* k : known) is_known = is_known || key == k;
        if (!is_known)
            warnings.push_back({diagnostic_severity::warning, place.empty() ? key : place + "." + key,
                                "unknown entry ignored; it is not saved again", true});
    }
}

CString narrow_text(const ordered_json& value, const std::string& source, const std::string& place)
{
    try {
        return ds_text::from_utf8(value.get_ref<const std::string&>());
    } catch (const ds_text::conversion_error& e) {
        refuse_load(source, place, std::string("text does not convert: ") + e.what());
    }
}

void check_format(ordered_json& document, const std::string& source)
{
    if (!document.is_object()) refuse_load(source, "", std::string("expected an object at the top, found ") + document.type_name());
    const auto& format = required(document, "format", ordered_json::value_t::string, source, "");
    if (format.get_ref<const std::string&>() != format_name)
        refuse_load(source, "format", "not a pedestal project file (format " + format.dump() + ")");
    const auto& stored = required(document, "format_version", ordered_json::value_t::number_integer, source, "");
    // A version past the signed range (2^64-1) must not read as negative: clamp
    // it for the comparisons and show the number as written.
    const bool huge = stored.is_number_unsigned() && stored.get<std::uint64_t>() > std::uint64_t(INT64_MAX);
    const std::int64_t number = huge ? INT64_MAX : stored.get<std::int64_t>();
    const std::string version = stored.dump();
    if (number > format_version)
        refuse_load(source, "format_version",
                    "the file was written by a newer version of the program (format version " + version +
                        "; this program reads up to version " + std::to_string(format_version) +
                        "); it is not loaded, so that nothing in it is lost");
    if (number < 1) refuse_load(source, "format_version", "invalid format version " + version);
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

void read_members(data_node_base& node, ordered_json members, const std::string& source, const std::string& place,
                  std::vector<stream_diagnostic>& warnings)
{
    json_read_stream stream(std::move(members), place);
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

[[noreturn]] void refuse_save(const std::string& path, const std::string& place, const std::string& what)
{
    throw project_error("cannot save project \"" + path + "\": " + (place.empty() ? "" : place + ": ") + what);
}

/// The node's class name, refused when the class cannot be created by that name.
const char* creatable_class_name(const data_node_base& node, const std::string& place)
{
    const char* class_name = node.GetRuntimeClass()->m_lpszClassName;
    if (CRuntimeClass::FromName(class_name) != node.GetRuntimeClass())
        throw project_error(place + ": class \"" + std::string(class_name) +
                            "\" cannot be created by name, so the project could not be loaded again");
    return class_name;
}

// serialize_members serves both directions and is therefore not const; a
// writing stream only reads the node.
void write_members(const data_node_base& node, member_rw_interface& stream)
{
    const_cast<data_node_base&>(node).serialize_members(stream);
}

ordered_json node_entry(const data_node_base& node, const std::string& place)
{
    const char* class_name = creatable_class_name(node, place);
    json_write_stream stream(place);
    write_members(node, stream);
    ordered_json entry = ordered_json::object();
    entry["class"] = class_name;
    entry["tag"] = ds_text::to_utf8(node.get_node_tag());
    entry["name"] = ds_text::to_utf8(node.get_node_name());
    entry["members"] = stream.take_document();
    return entry;
}

/// node_entry(node, place) as text, written while the members come, laid out
/// as dump_text lays out an entry of the node list (four spaces deep).
void write_node_entry(ds_json::piece_writer& out, const data_node_base& node, const std::string& place,
                      json_write_stream::value_observer observer = {})
{
    const char* class_name = creatable_class_name(node, place);
    // The tag and name go first in the text, but a fault in the members is the
    // one to report when both are wrong, as node_entry does.
    std::string tag, name;
    std::exception_ptr text_fault;
    try {
        tag = ds_text::to_utf8(node.get_node_tag());
        name = ds_text::to_utf8(node.get_node_name());
    } catch (const ds_text::conversion_error&) {
        text_fault = std::current_exception();
    }
    out.raw("{\n      \"class\": ");
    out.value(class_name);
    out.raw(",\n      \"tag\": ");
    out.value(tag);
    out.raw(",\n      \"name\": ");
    out.value(name);
    out.raw(",\n      \"members\": ");
    const auto stream = json_write_stream::to_text(out, 6, place, std::move(observer));
    write_members(node, *stream);
    stream->finish_text();
    if (text_fault) std::rethrow_exception(text_fault);
    out.raw("\n    }");
}

/// `write` for nodes[index], with every failure turned into a project_error naming the node.
template <class Write>
auto with_node_errors(const data_node_base* node, std::size_t index, Write write)
{
    const std::string place = node_place(index);
    if (!node) throw project_error(place + ": no node");
    try {
        return write(*node, place);
    } catch (const project_error&) {
        throw;
    } catch (const ds_stream_error& e) {
        throw project_error(e.what());  // already names the node and the path
    } catch (const std::exception& e) {
        throw project_error(place + " (class \"" + node->GetRuntimeClass()->m_lpszClassName + "\"): " + e.what());
    }
}

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
/// elements of an array two levels deep, each after entry_separator(i).
std::string_view text_before_entries() { return std::string_view(empty_project_text()).substr(0, empty_project_text().size() - 4); }
std::string_view entry_separator(std::size_t index) { return index == 0 ? "\n    " : ",\n    "; }
constexpr std::string_view text_after_entries = "\n  ]\n}\n";

}  // namespace

ordered_json project_document(const std::vector<const data_node_base*>& nodes)
{
    ordered_json document = document_head();
    ordered_json& list = document["nodes"];
    for (std::size_t i = 0; i < nodes.size(); ++i) list.push_back(with_node_errors(nodes[i], i, node_entry));
    return document;
}

void for_each_text_piece(const std::vector<const data_node_base*>& nodes,
                         const std::function<void(std::string_view)>& piece, std::string* refusal)
{
    if (nodes.empty()) {
        piece(empty_project_text());
        return;
    }
    ds_json::piece_writer out(piece);
    out.raw(text_before_entries());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        out.raw(entry_separator(i));
        with_node_errors(nodes[i], i, [&](const data_node_base& node, const std::string& place) {
            if (!refusal || !refusal->empty()) return write_node_entry(out, node, place);
            std::optional<record_limits::violation> found;
            write_node_entry(out, node, place, record_limits::violation_observer(found));
            if (found) *refusal = place + ": " + record_limits::describe(*found, ds_text::to_utf8_for_display(node.get_node_name()));
        });
    }
    out.raw(text_after_entries);
    out.flush();
}

std::string project_text(const std::vector<const data_node_base*>& nodes, std::size_t expected_size)
{
    std::string text;
    text.reserve(expected_size + expected_size / 2);
    for_each_text_piece(nodes, [&](std::string_view piece) { text += piece; });
    return text;
}

ds_digest::digest project_digest(const std::vector<const data_node_base*>& nodes)
{
    ds_digest::text_digest digest;
    for_each_text_piece(nodes, [&](std::string_view piece) { digest.add(piece); });
    return digest.finish();
}

void save_project(const std::filesystem::path& path, const std::vector<const data_node_base*>& nodes)
{
    try {
        ds_file::atomic_writer file(path);
        for_each_text_piece(nodes, [&](std::string_view piece) { file.write(piece); });
        file.commit();
    } catch (const std::exception& e) {
        refuse_save(path.string(), "", e.what());
    }
}

pending_save::pending_save(std::filesystem::path path, const std::vector<const data_node_base*>& nodes)
    : m_path(std::move(path)), m_nodes(nodes)
{
    try {
        m_file = std::make_unique<ds_file::atomic_writer>(m_path);
    } catch (const ds_file::file_error&) {
        // A folder that takes no new file only matters if the project changed: commit() tells.
    }
    ds_digest::text_digest digest;
    for_each_text_piece(
        m_nodes,
        [&](std::string_view piece) {
            digest.add(piece);
            if (!m_file) return;
            try {
                m_file->write(piece);
            } catch (const ds_file::file_error&) {
                m_file.reset();  // a full disk, say: commit() tries again and reports it
            }
        },
        &m_refusal);
    m_digest = digest.finish();
}

pending_save::~pending_save() = default;

void pending_save::commit()
{
    // The last wall behind every door: whatever a command did, the file it
    // leaves must load.
    if (!m_refusal.empty())
        throw project_error("cannot save " + m_path.string() + ": " + m_refusal +
                            ", which the project loader refuses; the file was not written");
    if (!m_file) {
        save_project(m_path, m_nodes);  // writes again, and says why the first attempt failed if it still does
        return;
    }
    try {
        m_file->commit();
    } catch (const std::exception& e) {
        refuse_save(m_path.string(), "", e.what());
    }
}

namespace {

/// Makes nodes from the entries of "nodes" one by one, as the parser completes
/// them, so that the parsed file never stands in memory whole. The first
/// refusal is kept and thrown only by finish(), after the whole text has
/// parsed and the head was checked: a load is refused for the same reason
/// whichever way its entries arrive.
class node_loader {
public:
    explicit node_loader(const std::string& source)
        : m_source(source), m_text([this](std::string_view piece) { m_digest.add(piece); })
    {
    }

    void take(ordered_json&& entry)
    {
        const std::size_t index = m_taken++;
        if (m_refusal) return;  // the load fails anyway: spend nothing more on it
        try {
            m_text.raw(index == 0 ? text_before_entries() : std::string_view());
            m_text.raw(entry_separator(index));
            m_nodes.push_back(load_node(entry, index));
        } catch (const project_error&) {
            m_refusal = std::current_exception();
            m_nodes.clear();
        }
    }

    /// The loaded project, once `document` (the file without its entries) is checked.
    loaded_project finish(ordered_json& document)
    {
        check_format(document, m_source);
        required(document, "nodes", ordered_json::value_t::array, m_source, "");
        if (m_refusal) std::rethrow_exception(m_refusal);
        loaded_project result;
        warn_unknown(document, {"format", "format_version", "nodes"}, "", result.warnings);
        result.warnings.insert(result.warnings.end(), std::make_move_iterator(m_node_warnings.begin()),
                               std::make_move_iterator(m_node_warnings.end()));
        result.nodes = std::move(m_nodes);
        if (m_taken == 0) m_text.raw(empty_project_text());
        else m_text.raw(text_after_entries);
        m_text.flush();
        result.text_digest = m_digest.finish();
        return result;
    }

private:
    std::unique_ptr<data_node_base> load_node(ordered_json& entry, std::size_t index)
    {
        const std::string place = node_place(index);
        if (!entry.is_object()) refuse_load(m_source, place, std::string("expected an object, found ") + entry.type_name());
        const auto& class_name = required(entry, "class", ordered_json::value_t::string, m_source, place);
        const auto& tag = required(entry, "tag", ordered_json::value_t::string, m_source, place);
        const auto& name = required(entry, "name", ordered_json::value_t::string, m_source, place);
        auto& members = required(entry, "members", ordered_json::value_t::object, m_source, place);
        warn_unknown(entry, {"class", "tag", "name", "members"}, place, m_node_warnings);

        auto node = create_node(class_name.get_ref<const std::string&>(), m_source, place);
        node->set_node_tag(narrow_text(tag, m_source, place + ".tag"));
        node->set_node_name(narrow_text(name, m_source, place + ".name"));
        read_members(*node, std::move(members), m_source, place, m_node_warnings);
        check_name(*node, place);
        check_written(*node, name.get_ref<const std::string&>(), place);
        return node;
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

    /// Values the node took in must be ones the host accepts: checked on what
    /// the node holds after reading, so an old layout's converted values count
    /// too. The check writes the node's text as a save would, which also
    /// makes the digest of the project's text as loaded.
    void check_written(const data_node_base& node, const std::string& name, const std::string& place)
    {
        std::optional<record_limits::violation> found;
        std::vector<record_limits::violation> damaged;
        try {
            write_node_entry(m_text, node, place, record_limits::violation_observer(found, &damaged));
        } catch (const std::exception& e) {
            refuse_load(m_source, place, std::string("the node read cannot be written again: ") + e.what());
        }
        if (found) refuse_load(m_source, place, record_limits::describe(*found, name));
        // A text breaking its rule is kept as read, but the project counts as
        // damaged: commands that would write it again refuse unless forced.
        for (const auto& text : damaged)
            m_node_warnings.push_back({diagnostic_severity::warning, place + " " + text.field,
                                       record_limits::describe(text, name), true});
    }

    const std::string& m_source;
    std::size_t m_taken = 0;
    std::vector<std::unique_ptr<data_node_base>> m_nodes;
    std::vector<stream_diagnostic> m_node_warnings;
    std::exception_ptr m_refusal;
    ds_digest::text_digest m_digest;
    ds_json::piece_writer m_text;  ///< the project's text as a save would write it, into m_digest
};

/// Parses `utf8` and loads its nodes while parsing.
loaded_project load_while_parsing(std::string_view utf8, const std::string& source)
{
    node_loader loader(source);
    ordered_json document;
    try {
        document = ds_json::parse_text(utf8, source, {"nodes", [&](ordered_json&& entry) { loader.take(std::move(entry)); }});
    } catch (const ds_json::json_text_error& e) {
        throw project_error(std::string("cannot load project: ") + e.what());
    }
    return loader.finish(document);
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
    return load_while_parsing(text, path.string());
}

loaded_project load_project_text(std::string_view utf8, const std::string& source)
{
    return load_while_parsing(utf8, source);
}

loaded_project load_project_document(ordered_json document, const std::string& source)
{
    check_format(document, source);
    auto& nodes = required(document, "nodes", ordered_json::value_t::array, source, "");
    node_loader loader(source);
    for (auto& entry : nodes) loader.take(std::move(entry));
    return loader.finish(document);
}

}  // namespace ds_project
