// The host's spreadsheet table, a grid of narrow text cells, and the error
// every spreadsheet file format throws.
#pragma once

#include <stdexcept>
#include <vector>

#include "host/afx/cstring.h"

namespace ds_spreadsheet {

using table = std::vector<std::vector<CString>>;

/// A file that cannot be read or written; what() names the file, the place
/// (row and column where known) and what was wrong.
class spreadsheet_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace ds_spreadsheet
