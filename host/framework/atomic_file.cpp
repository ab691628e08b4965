// POSIX file handling behind project saving and loading.
#include "host/framework/atomic_file.h"

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace ds_file {
namespace {

[[noreturn]] void fail(const std::string& what, const std::filesystem::path& path, int error)
{
    throw file_error(what + " \"" + path.string() + "\": " + std::strerror(error));
}

/// Closes a descriptor on every path out of a scope.
class descriptor {
public:
    explicit descriptor(int fd) : m_fd(fd) {}
    ~descriptor()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    descriptor(const descriptor&) = delete;
    descriptor& operator=(const descriptor&) = delete;
    int get() const { return m_fd; }
    /// Closes now and reports the result: close can report a delayed write error.
    int close()
    {
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc;
    }

private:
    int m_fd;
};

/// Removes the temporary file unless the rename consumed it.
class temporary_file {
public:
    explicit temporary_file(std::string path) : m_path(std::move(path)) {}
    ~temporary_file()
    {
        if (!m_path.empty()) ::unlink(m_path.c_str());
    }
    temporary_file(const temporary_file&) = delete;
    temporary_file& operator=(const temporary_file&) = delete;
    void release() { m_path.clear(); }

private:
    std::string m_path;
};

void write_all(int fd, std::string_view content, const std::filesystem::path& shown)
{
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail("cannot write", shown, errno);
        if (n == 0) fail("cannot write", shown, EIO);
        content.remove_prefix(static_cast<std::size_t>(n));
    }
}

mode_t mode_for(const std::filesystem::path& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);  // the only way to read the umask is to set it
    ::umask(mask);
    return 0666 & ~mask;
}

/// Makes the rename durable. Best effort: once the rename has happened the new
/// file is in place, and an error here would make the caller believe the old
/// file is still there. A folder that cannot be opened for reading is common.
void sync_folder(const std::filesystem::path& folder)
{
    descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

/// Refuses to replace what is not a file: a folder, a FIFO, a device.
void check_replaceable(const std::filesystem::path& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return;  // absent: a new file
    if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
        throw file_error("cannot replace \"" + path.string() + "\": it is not a regular file");
}

/// A random name ".NAME.XXXXXX" beside `path` that does not exist yet.
std::string hidden_name(const std::filesystem::path& folder, const std::filesystem::path& path)
{
    static std::mt19937_64 random{std::random_device{}()};
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string suffix(6, 'x');
    for (char& c : suffix) c = letters[random() % (sizeof letters - 1)];
    return (folder / ("." + path.filename().string() + "." + suffix)).string();
}

/// A new named temporary file ".NAME.XXXXXX" beside `path`; its name goes to `name`.
int open_named(const std::filesystem::path& folder, const std::filesystem::path& path, std::string& name)
{
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = ::mkostemp(buffer.data(), O_CLOEXEC);
    if (fd < 0) fail("cannot create a temporary file in", folder, errno);
    name = buffer.data();
    return fd;
}

}  // namespace

// The content goes to a file without a name (O_TMPFILE) that is named only
// once it is complete and on disk, so that a process killed while writing
// leaves nothing behind. File systems without unnamed files get a named
// temporary file from the start.
atomic_writer::atomic_writer(std::filesystem::path path)
    : m_path(std::move(path)), m_folder(m_path.parent_path().empty() ? std::filesystem::path(".") : m_path.parent_path())
{
    check_replaceable(m_path);
    m_fd = ::open(m_folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (m_fd >= 0) return;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) fail("cannot create a temporary file in", m_folder, errno);
    m_fd = open_named(m_folder, m_path, m_named);
}

atomic_writer::~atomic_writer()
{
    if (m_fd >= 0) ::close(m_fd);
    if (!m_committed && !m_named.empty()) ::unlink(m_named.c_str());
}

void atomic_writer::write(std::string_view piece) { write_all(m_fd, piece, m_path); }

std::string atomic_writer::link_unnamed()
{
    // linkat through /proc names an unnamed file without the privilege AT_EMPTY_PATH needs.
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = hidden_name(m_folder, m_path);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return name;
        if (errno == ENOENT && attempt == 0) return {};
        if (errno != EEXIST) fail("cannot create a temporary file in", m_folder, errno);
    }
    fail("cannot create a temporary file in", m_folder, EEXIST);
}

std::string atomic_writer::copy_to_named()
{
    std::string name;
    descriptor named(open_named(m_folder, m_path, name));
    temporary_file temp(name);
    char buffer[64 * 1024];
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(m_fd, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail("cannot write", m_path, errno);
        if (n == 0) break;
        write_all(named.get(), std::string_view(buffer, static_cast<std::size_t>(n)), m_path);
        at += n;
    }
    if (::fchmod(named.get(), mode_for(m_path)) != 0) fail("cannot set the mode of", name, errno);
    if (::fsync(named.get()) != 0) fail("cannot flush", m_path, errno);
    if (named.close() != 0) fail("cannot close", m_path, errno);
    temp.release();
    return name;
}

void atomic_writer::commit()
{
    if (::fchmod(m_fd, mode_for(m_path)) != 0) fail("cannot set the mode of", m_named.empty() ? m_path : std::filesystem::path(m_named), errno);
    if (::fsync(m_fd) != 0) fail("cannot flush", m_path, errno);
    if (m_named.empty()) {
        m_named = link_unnamed();
        if (m_named.empty()) m_named = copy_to_named();  // no /proc
    }
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0) fail("cannot close", m_path, errno);
    if (::rename(m_named.c_str(), m_path.c_str()) != 0) fail("cannot replace", m_path, errno);
    m_committed = true;
    sync_folder(m_folder);
}

void write_file_atomically(const std::filesystem::path& path, std::string_view content)
{
    atomic_writer writer(path);
    writer.write(content);
    writer.commit();
}

scratch_file::scratch_file(std::filesystem::path target)
    : m_target(std::move(target)),
      m_folder(m_target.parent_path().empty() ? std::filesystem::path(".") : m_target.parent_path())
{
    check_replaceable(m_target);
    ::close(open_named(m_folder, m_target, m_scratch));  // the library opens it by name
}

scratch_file::~scratch_file()
{
    if (!m_committed) ::unlink(m_scratch.c_str());
}

void scratch_file::commit()
{
    descriptor fd(::open(m_scratch.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) fail("cannot open", m_scratch, errno);
    if (::fchmod(fd.get(), mode_for(m_target)) != 0) fail("cannot set the mode of", m_scratch, errno);
    if (::fsync(fd.get()) != 0) fail("cannot flush", m_target, errno);
    if (fd.close() != 0) fail("cannot close", m_target, errno);
    if (::rename(m_scratch.c_str(), m_target.c_str()) != 0) fail("cannot replace", m_target, errno);
    m_committed = true;
    sync_folder(m_folder);
}

std::string read_whole_file(const std::filesystem::path& path, std::size_t max_bytes)
{
    // O_NONBLOCK: opening a FIFO for reading would wait for a writer forever.
    // A regular file ignores the flag.
    descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) fail("cannot open", path, errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) fail("cannot read", path, errno);
    if (!S_ISREG(st.st_mode)) throw file_error("cannot read \"" + path.string() + "\": it is not a regular file");
    std::string content;
    // Room for the whole file at once: growing by doubling would hold two copies for a moment.
    content.reserve(std::min<std::size_t>(static_cast<std::size_t>(st.st_size), max_bytes) + 1);
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail("cannot read", path, errno);
        if (n == 0) break;
        if (content.size() + static_cast<std::size_t>(n) > max_bytes)
            throw file_error("cannot read \"" + path.string() + "\": larger than " + std::to_string(max_bytes) +
                             " bytes");
        content.append(buffer, static_cast<std::size_t>(n));
    }
    return content;
}

}  // namespace ds_file
