// POSIX file handling behind project saving and loading.
#include "host/framework/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
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

/// Writes `content` to a file without a name (O_TMPFILE) and names it only
/// once it is complete and on disk, so that a process killed while writing
/// leaves nothing behind. Returns the name, or "" when the file system cannot
/// make unnamed files.
std::string write_unnamed_then_link(const std::filesystem::path& folder, const std::filesystem::path& path,
                                    std::string_view content)
{
    descriptor fd(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (fd.get() < 0) {
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) return {};
        fail("cannot create a temporary file in", folder, errno);
    }
    write_all(fd.get(), content, path);
    if (::fchmod(fd.get(), mode_for(path)) != 0) fail("cannot set the mode of", path, errno);
    if (::fsync(fd.get()) != 0) fail("cannot flush", path, errno);
    // linkat through /proc names an unnamed file without the privilege AT_EMPTY_PATH needs.
    const std::string self = "/proc/self/fd/" + std::to_string(fd.get());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = hidden_name(folder, path);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            if (fd.close() != 0) {
                ::unlink(name.c_str());
                fail("cannot close", path, errno);
            }
            return name;
        }
        if (errno == ENOENT && attempt == 0) return {};  // no /proc: fall back to a named temporary file
        if (errno != EEXIST) fail("cannot create a temporary file in", folder, errno);
    }
    fail("cannot create a temporary file in", folder, EEXIST);
}

/// The classic way: a named temporary file from the start.
std::string write_named(const std::filesystem::path& folder, const std::filesystem::path& path, std::string_view content)
{
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    descriptor fd(::mkostemp(name.data(), O_CLOEXEC));
    if (fd.get() < 0) fail("cannot create a temporary file in", folder, errno);
    temporary_file temp(name.data());
    write_all(fd.get(), content, path);
    if (::fchmod(fd.get(), mode_for(path)) != 0) fail("cannot set the mode of", name.data(), errno);
    if (::fsync(fd.get()) != 0) fail("cannot flush", path, errno);
    if (fd.close() != 0) fail("cannot close", path, errno);
    temp.release();
    return name.data();
}

}  // namespace

void write_file_atomically(const std::filesystem::path& path, std::string_view content)
{
    const std::filesystem::path folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    check_replaceable(path);
    std::string name = write_unnamed_then_link(folder, path, content);
    if (name.empty()) name = write_named(folder, path, content);
    temporary_file temp(name);
    if (::rename(name.c_str(), path.c_str()) != 0) fail("cannot replace", path, errno);
    temp.release();
    sync_folder(folder);
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
