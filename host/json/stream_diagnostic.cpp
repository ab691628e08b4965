// Rendering of stream diagnostics.
#include "host/json/stream_diagnostic.h"

std::string to_string(const stream_diagnostic& diagnostic)
{
    const char* severity = diagnostic.severity == diagnostic_severity::error ? "error" : "warning";
    return std::string(severity) + ": " + diagnostic.path + ": " + diagnostic.message;
}

std::vector<stream_diagnostic> unread_entries(const std::vector<stream_diagnostic>& diagnostics)
{
    std::vector<stream_diagnostic> unread;
    for (const auto& d : diagnostics)
        if (d.unread) unread.push_back(d);
    return unread;
}

bool has_error(const std::vector<stream_diagnostic>& diagnostics)
{
    for (const auto& d : diagnostics)
        if (d.severity == diagnostic_severity::error) return true;
    return false;
}
