// Whole-file reads and atomic whole-file writes, with errors that name the
// file and the system's reason.
#pragma once

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ds_file {

/// A file operation failed; what() names the path and the reason (errno text).
class file_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Replaces `path` with `content` so that the file is either the old one or the
/// new one, never a mix: the content goes to a temporary file in the same
/// folder, is flushed to disk, then renamed over `path`, and the folder is
/// flushed too (best effort: after the rename the new file is in place). On any
/// failure before the rename the temporary file is removed and the old file is
/// left as it was. A new file gets mode 0666 less the umask; an existing file
/// keeps its mode. A symbolic link at `path` is replaced, not followed; a
/// folder, FIFO or device there is refused. The content is written to an
/// unnamed file (O_TMPFILE) that gets its hidden name ".NAME.XXXXXX" only when
/// complete, so a process killed while writing leaves no file behind; only a
/// kill in the instant between naming and renaming can. File systems without
/// unnamed files get a named temporary file from the start.
void write_file_atomically(const std::filesystem::path& path, std::string_view content);

/// write_file_atomically with the content given in pieces, so that a long
/// content never has to stand in memory whole. The constructor opens the
/// temporary file, write() appends, commit() puts the file in place; a writer
/// destroyed without commit() leaves the old file as it was and no temporary
/// file behind. Every failure throws file_error.
class atomic_writer {
public:
    explicit atomic_writer(std::filesystem::path path);
    ~atomic_writer();
    atomic_writer(const atomic_writer&) = delete;
    atomic_writer& operator=(const atomic_writer&) = delete;

    void write(std::string_view piece);
    void commit();

private:
    /// Gives the unnamed file its hidden name; "" when there is no /proc to do it through.
    std::string link_unnamed();
    /// A named temporary file holding what was written to the unnamed one.
    std::string copy_to_named();

    std::filesystem::path m_path;
    std::filesystem::path m_folder;
    int m_fd = -1;
    std::string m_named;  ///< the temporary file's name once it has one
    bool m_committed = false;
};

/// The atomic replacement for a library that writes only to a file name
/// (dxflib, libxlsxwriter): path() names a new empty file ".NAME.XXXXXX" beside
/// the target, for the library to write; commit() flushes it, gives it the
/// target's mode (as write_file_atomically does) and renames it over the
/// target. Destroyed without commit(), it removes the scratch file and leaves
/// the target as it was. A target that is a folder, FIFO or device is refused
/// at construction. Every failure throws file_error.
class scratch_file {
public:
    explicit scratch_file(std::filesystem::path target);
    ~scratch_file();
    scratch_file(const scratch_file&) = delete;
    scratch_file& operator=(const scratch_file&) = delete;

    const std::string& path() const { return m_scratch; }
    void commit();

private:
    std::filesystem::path m_target;
    std::filesystem::path m_folder;
    std::string m_scratch;
    bool m_committed = false;
};

/// The whole content of `path`. Throws file_error when it cannot be opened or
/// read, is not a regular file (a FIFO is refused at once instead of waiting
/// for a writer), or is larger than `max_bytes`.
std::string read_whole_file(const std::filesystem::path& path, std::size_t max_bytes = std::size_t(1) << 30);

}  // namespace ds_file
