// POSIX file handling behind project saving and loading.
#include "host/framework/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

}  // namespace

void write_file_atomically(const std::filesystem::path& path, std::string_view content)
{
    const std::filesystem::path folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
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
    if (::rename(name.data(), path.c_str()) != 0) fail("cannot replace", path, errno);
    temp.release();
    sync_folder(folder);
}

std::string read_whole_file(const std::filesystem::path& path, std::size_t max_bytes)
{
    descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) fail("cannot open", path, errno);
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
