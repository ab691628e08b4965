// What a JSON-backed member stream reports: diagnostics noted while reading
// (a read never throws for bad data) and the error thrown for misuse while
// writing.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

enum class diagnostic_severity {
    warning,  ///< an entry was missing or left unread; the target kept its value
    error,    ///< an entry was present but unusable (wrong type, out of range, bad text)
};

/// One problem found while reading; texts are UTF-8.
struct stream_diagnostic {
    diagnostic_severity severity = diagnostic_severity::warning;
    /// Keys and guard tags leading to the entry, for example
    /// "nodes[0] DS_ui_data/m_draw_data(DS_draw_data)/m_gz(DS_steel_Gen)/m_iCount".
    std::string path;
    std::string message;
    /// An entry of the file that the load did not take in: saving the node
    /// again drops it, so writing commands refuse unless the user insists.
    bool unread = false;
};

/// "warning: path: message" (or "error: ...").
std::string to_string(const stream_diagnostic& diagnostic);

/// True when any diagnostic in the list is an error.
bool has_error(const std::vector<stream_diagnostic>& diagnostics);

/// The diagnostics that name entries left unread.
std::vector<stream_diagnostic> unread_entries(const std::vector<stream_diagnostic>& diagnostics);

namespace ds_json {

/// Thrown by a stream used against its protocol: writing a key twice into one
/// object, an end mark that does not match its begin, text that does not
/// convert to UTF-8, a number JSON cannot hold, or a write on a reading stream.
class stream_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace ds_json
