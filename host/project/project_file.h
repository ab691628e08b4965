// The project file: every data node of a project in one UTF-8 JSON document
//
//   {"format": "ds-pedestal-project", "format_version": 1,
//    "nodes": [{"class": "DS_ui_data", "tag": "...", "name": "...", "members": {...}}]}
//
// where "class" is the node's runtime class name and "members" is what the
// node's serialize_members wrote through a json_write_stream. One writer
// (project_writer.h) makes the text and the digest; the loader
// (project_load.cpp) reads without it.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/framework/atomic_file.h"
#include "host/framework/data_node_base.h"
#include "host/json/member_digest.h"

namespace ds_project {

/// Value of "format" in every project file.
inline constexpr const char* format_name = "ds-pedestal-project";
/// Layout version this program writes; files of a newer version are refused.
inline constexpr int format_version = 1;

/// A project that cannot be saved or loaded. what() names the file, the place
/// (line:column, or the node index and key path) and what was wrong.
class project_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The nodes of a loaded project, with the warnings of the load: entries that
/// were missing (their members kept the values the node was created with) or
/// that were present but never read.
struct loaded_project {
    std::vector<std::unique_ptr<data_node_base>> nodes;
    std::vector<stream_diagnostic> warnings;
    /// project_digest(nodes) as loaded, made from the values as each node
    /// read them, so that telling later whether the project changed costs no
    /// pass of its own.
    ds_digest::digest digest{};
    /// Each node's own part of `digest`, in order: a save tells by it which
    /// nodes are as they were loaded, and so were checked already.
    std::vector<ds_digest::digest> node_digests;
};

/// The text of the project file of `nodes`, made while each node's members
/// come. Throws project_error (naming the node) when a node is null, its
/// class cannot be created by name, or its members cannot be written (see
/// json_write_stream). `expected_size` (for example the
/// size of the file loaded) reserves room up front, half as much again, so that
/// a long text is not copied while it grows (room never written is not
/// touched, so it costs address space rather than memory).
std::string project_text(const std::vector<const data_node_base*>& nodes, std::size_t expected_size = 0);

/// The digest of the values the nodes hold (ds_digest::member_digest): a
/// command tells whether it changed the project by comparing two of these,
/// without keeping or making a text. Throws project_error as project_text does.
ds_digest::digest project_digest(const std::vector<const data_node_base*>& nodes);

/// Writes project_text(nodes) to `path` atomically, in parts of a bounded
/// size, so that besides the nodes no whole text is in memory: a failed save
/// leaves the previous file intact. Throws project_error naming the file.
void save_project(const std::filesystem::path& path, const std::vector<const data_node_base*>& nodes);

/// A save made in the same pass as the digest of its text: the text goes to a
/// temporary file beside `path` while its SHA-256 is made, and takes the
/// file's place only on commit(), so that one pass over the nodes tells
/// whether a project changed and has the new file ready. Destroyed without
/// commit(), it leaves the file as it was.
class pending_save {
public:
    /// Writes the text of `nodes`. Throws project_error when a node cannot be
    /// written; a temporary file that cannot be written is not an error yet
    /// (the project may turn out unchanged): commit() reports it.
    /// With `checked`, a node for which it answers true for the node's digest
    /// (one loaded unchanged, say) is not checked against the loader's limits again.
    pending_save(std::filesystem::path path, const std::vector<const data_node_base*>& nodes,
                 const std::function<bool(const data_node_base&, const ds_digest::digest&)>& checked = {});
    ~pending_save();
    pending_save(const pending_save&) = delete;
    pending_save& operator=(const pending_save&) = delete;

    /// project_digest(nodes).
    const ds_digest::digest& digest() const { return m_digest; }
    /// Puts the new file in place. Throws project_error naming the file, or
    /// naming the drawing, field and value when the text holds a value the
    /// loader would refuse: a project is never written that would not load.
    void commit();

private:
    std::filesystem::path m_path;
    std::vector<const data_node_base*> m_nodes;
    std::unique_ptr<ds_file::atomic_writer> m_file;  ///< null when the temporary file could not be written
    ds_digest::digest m_digest{};
    std::string m_refusal;  ///< what the loader would refuse in the text; empty when nothing
};

/// Reads a project file and creates its nodes by runtime class name. All or
/// nothing: throws project_error when the file cannot be read, does not parse,
/// has another shape, carries a newer format version, names an unknown class,
/// holds a value beyond the host's input limits (record_limits) or holds any
/// entry that is present but unusable; nothing created survives a failed load.
loaded_project load_project(const std::filesystem::path& path);

/// load_project on JSON text; `source` names it in errors.
loaded_project load_project_text(std::string_view utf8, const std::string& source);

}  // namespace ds_project
