// Cell edits given on the command line or in a file, as the user would type
// them into the host's grid:
//
//   TABLE.KEY=VALUE           a property of a property table
//   TABLE[ROW].KEY=VALUE      a cell of a list table; ROW counts from 1, and
//                             one past the last row appends a row
//
// In a file each line holds one edit; blank lines and lines starting with '#'
// are skipped. Text is UTF-8 outside and GBK once parsed.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/afx/cstring.h"

namespace ds_app {

struct table_edit {
    CString table;
    int row = 0;  ///< 1-based data row of a list table; 0 for a property
    CString key;
    CString value;
    std::string origin;  ///< where it came from, for errors: "--set #2" or "edits.txt:4"
};

/// Parses one edit. Throws std::runtime_error naming `origin` and the expected form.
table_edit parse_table_edit(const std::string& utf8, const std::string& origin);

/// The edits of a file. Throws std::runtime_error naming the file and line.
std::vector<table_edit> read_table_edits(const std::filesystem::path& file);

/// The --set edits, in order, then those of the --edits file.
std::vector<table_edit> collect_table_edits(const std::vector<std::string>& sets,
                                            const std::optional<std::filesystem::path>& file);

}  // namespace ds_app
