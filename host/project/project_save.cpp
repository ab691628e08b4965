// Saving a project: its file, text and digest, all made by the one writer.
#include "host/project/project_file.h"

#include "host/framework/atomic_file.h"
#include "host/project/project_writer.h"

namespace ds_project {
namespace {

[[noreturn]] void refuse_save(const std::string& path, const std::string& place, const std::string& what)
{
    throw project_error("cannot save project \"" + path + "\": " + (place.empty() ? "" : place + ": ") + what);
}

}  // namespace

std::string project_text(const std::vector<const data_node_base*>& nodes, std::size_t expected_size)
{
    std::string text;
    text.reserve(expected_size + expected_size / 2);
    project_sinks sinks;
    sinks.text = [&](std::string_view piece) { text += piece; };
    write_project(nodes, sinks);
    return text;
}

ds_digest::digest project_digest(const std::vector<const data_node_base*>& nodes)
{
    ds_digest::member_digest digest;
    project_sinks sinks;
    sinks.digest = &digest;
    write_project(nodes, sinks);
    return digest.finish();
}

void save_project(const std::filesystem::path& path, const std::vector<const data_node_base*>& nodes)
{
    try {
        ds_file::atomic_writer file(path);
        project_sinks sinks;
        sinks.text = [&](std::string_view piece) { file.write(piece); };
        write_project(nodes, sinks);
        file.commit();
    } catch (const std::exception& e) {
        refuse_save(path.string(), "", e.what());
    }
}

pending_save::pending_save(std::filesystem::path path, const std::vector<const data_node_base*>& nodes,
                           const std::function<bool(const data_node_base&, const ds_digest::digest&)>& checked)
    : m_path(std::move(path)), m_nodes(nodes)
{
    try {
        m_file = std::make_unique<ds_file::atomic_writer>(m_path);
    } catch (const ds_file::file_error&) {
        // A folder that takes no new file only matters if the project changed: commit() tells.
    }
    ds_digest::member_digest digest;
    const auto to_file = [&](std::string_view piece) {
        if (!m_file) return;
        try {
            m_file->write(piece);
        } catch (const ds_file::file_error&) {
            m_file.reset();  // a full disk, say: commit() tries again and reports it
        }
    };
    project_sinks sinks;
    sinks.text = to_file;
    sinks.digest = &digest;
    sinks.refusal = &m_refusal;
    sinks.checked = checked;
    write_project(m_nodes, sinks);
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

}  // namespace ds_project
