// The difference lines of a record or drawing against another, so a test can
// compare two of them in one assertion that shows what differs.
#pragma once

#include <vector>

#include "host/afx/cstring.h"

namespace ds_test {

/// What `mine` adds against `other`: compare_graph_data for drawings, compare for records.
template <class Record>
std::vector<CString> differences(const Record& mine, const Record& other)
{
    std::vector<CString> lines;
    if constexpr (requires { mine.compare_graph_data(&other, lines); }) mine.compare_graph_data(&other, lines);
    else mine.compare(&other, lines);
    return lines;
}

/// No difference lines.
inline const std::vector<CString> no_differences;

}  // namespace ds_test
