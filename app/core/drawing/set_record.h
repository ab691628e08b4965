// What the last set written into a folder was made of, kept beside it, so that
// `sheets --changed` redraws only the drawings whose records changed since.
//
// A drawing's files are kept when its record (class, tag, name and values, as
// the project file holds them) is the one it was drawn from, the set's own
// inputs (the project's settings and facts, the formats) are those of the last
// set, and its sheets keep their numbers: a drawing that now has more or fewer
// sheets moves the numbers of every drawing after it, and those are drawn
// again. Structures are not among the set's inputs: a drawing copies what it
// takes from its structure, so an edited pier changes the sheets only once its
// drawings are refreshed, and then through their own records.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/core/project/workspace.h"
#include "host/framework/data_node_base.h"

namespace ds_app {

/// One drawing of the last set.
struct recorded_drawing {
    std::string digest;               ///< of the drawing's record, hex
    bool passed = true;               ///< its design check passed
    std::size_t first = 0;            ///< number of its first sheet in the set (1-based)
    std::vector<std::string> stems;   ///< its sheets' file names without extension, UTF-8
};

/// The last set: its inputs' digest, its size and its drawings by node tag.
struct set_record {
    std::string inputs;  ///< digest of what every drawing of the set reads besides its own record, hex
    std::size_t total = 0;
    std::map<std::string, recorded_drawing> drawings;
};

/// The record's file name in the set's folder.
inline constexpr const char* set_record_name = ".sheet-set-record.json";

/// Hex SHA-256 of `node` as the project file holds it.
std::string record_digest(const data_node_base& node);

/// Hex SHA-256 of the set's own inputs: every node of the project that is
/// neither a pedestal drawing nor a structure, and the formats written.
std::string set_inputs_digest(const workspace& project, const std::vector<bool>& formats);

/// The record in `folder`; nullopt when there is none or it cannot be read
/// (a set written before records were kept, or a damaged file: all is drawn).
std::optional<set_record> read_set_record(const std::filesystem::path& folder);

/// Replaces the record in `folder`. Throws std::runtime_error when it cannot be written.
void write_set_record(const std::filesystem::path& folder, const set_record& record);

}  // namespace ds_app
