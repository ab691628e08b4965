// Atomic file replacement: the old file survives every failure.
#include "host/framework/atomic_file.h"

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ds_file::file_error;
using ds_file::read_whole_file;
using ds_file::write_file_atomically;
using testing::HasSubstr;

namespace {

class atomic_file_test : public testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() / ("ds_atomic_test_" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::size_t files_in_dir() const { return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(m_dir), {})); }

    std::filesystem::path m_dir;
};

std::string error_of(auto action)
{
    try {
        action();
    } catch (const file_error& e) {
        return e.what();
    }
    return "(no error)";
}

}  // namespace

TEST_F(atomic_file_test, ReplacesContentAndKeepsTheMode)
{
    const auto path = m_dir / "a.json";
    write_file_atomically(path, "first");
    EXPECT_EQ(read_whole_file(path), "first");
    ::chmod(path.c_str(), 0640);
    const std::string big(200000, 'x');  // more than one read buffer
    write_file_atomically(path, big);
    EXPECT_EQ(read_whole_file(path), big);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    write_file_atomically(path, "");
    EXPECT_EQ(read_whole_file(path), "");
    EXPECT_EQ(files_in_dir(), 1u);
}

TEST_F(atomic_file_test, FailuresLeaveTheOldFileAndNoTemporary)
{
    // A directory in the way: the rename fails after the content was written.
    const auto blocked = m_dir / "blocked";
    std::filesystem::create_directories(blocked / "child");
    EXPECT_THAT(error_of([&] { write_file_atomically(blocked, "x"); }), HasSubstr("cannot replace"));
    EXPECT_TRUE(std::filesystem::is_directory(blocked));

    // A write that fails half way (file size limit): the old content stays.
    const auto path = m_dir / "a.json";
    write_file_atomically(path, "old content");
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old_limit {};
    ::getrlimit(RLIMIT_FSIZE, &old_limit);
    rlimit small = old_limit;
    small.rlim_cur = 1024;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const std::string message = error_of([&] { write_file_atomically(path, std::string(4096, 'n')); });
    ::setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_THAT(message, HasSubstr("cannot write"));
    EXPECT_THAT(message, HasSubstr("a.json"));
    EXPECT_EQ(read_whole_file(path), "old content");

    EXPECT_EQ(files_in_dir(), 2u) << "a temporary file was left";
    EXPECT_THAT(error_of([&] { write_file_atomically(m_dir / "no" / "such.json", "x"); }),
                HasSubstr("No such file or directory"));
}

TEST_F(atomic_file_test, ReadErrorsNameThePathAndReason)
{
    EXPECT_THAT(error_of([&] { read_whole_file(m_dir / "absent.json"); }),
                HasSubstr("absent.json\": No such file or directory"));
    EXPECT_THAT(error_of([&] { read_whole_file(m_dir); }), HasSubstr("Is a directory"));
    write_file_atomically(m_dir / "big", std::string(100, 'b'));
    EXPECT_THAT(error_of([&] { read_whole_file(m_dir / "big", 99); }), HasSubstr("larger than 99 bytes"));
}
