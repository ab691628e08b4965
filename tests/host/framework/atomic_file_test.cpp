// Atomic file replacement: the old file survives every failure.
#include "host/framework/atomic_file.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/error_text.h"
#include "support/temp_folder.h"

using ds_file::file_error;
using ds_file::read_whole_file;
using ds_file::write_file_atomically;
using testing::HasSubstr;

using AtomicFile = ds_test::temp_folder_test;

namespace {
std::string error_of(auto action) { return ds_test::error_text<file_error>(action); }
}  // namespace

TEST_F(AtomicFile, ReplacesContentAndKeepsTheMode)
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

TEST_F(AtomicFile, FailuresLeaveTheOldFileAndNoTemporary)
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

TEST_F(AtomicFile, AWriterTakesPiecesAndChangesNothingUntilCommitted)
{
    const auto path = m_dir / "a.json";
    write_file_atomically(path, "old");
    {
        ds_file::atomic_writer abandoned(path);
        abandoned.write("never ");
        abandoned.write("used");
    }
    EXPECT_EQ(read_whole_file(path), "old");
    EXPECT_EQ(files_in_dir(), 1u) << "an abandoned writer left a temporary file";
    ds_file::atomic_writer writer(path);
    writer.write("new ");
    writer.write(std::string(100000, 'p'));
    EXPECT_EQ(read_whole_file(path), "old");
    writer.commit();
    EXPECT_EQ(read_whole_file(path), "new " + std::string(100000, 'p'));
    EXPECT_EQ(files_in_dir(), 1u);
}

TEST_F(AtomicFile, AScratchFileBesideTheTargetReplacesItOnlyWhenCommitted)
{
    const auto path = m_dir / "a.dxf";
    write_file_atomically(path, "old");
    ::chmod(path.c_str(), 0640);
    {
        ds_file::scratch_file abandoned(path);
        EXPECT_EQ(std::filesystem::path(abandoned.path()).parent_path(), m_dir);
        write_file_atomically(abandoned.path(), "half written");
    }
    EXPECT_EQ(read_whole_file(path), "old");
    EXPECT_EQ(files_in_dir(), 1u) << "an abandoned scratch file was left";

    ds_file::scratch_file scratch(path);
    write_file_atomically(scratch.path(), "new");
    EXPECT_EQ(read_whole_file(path), "old");
    scratch.commit();
    EXPECT_EQ(read_whole_file(path), "new");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(files_in_dir(), 1u);

    std::filesystem::create_directory(m_dir / "folder");
    EXPECT_THAT(error_of([&] { ds_file::scratch_file refused(m_dir / "folder"); }), HasSubstr("not a regular file"));
    EXPECT_THAT(error_of([&] { ds_file::scratch_file refused(m_dir / "no" / "such.dxf"); }),
                HasSubstr("No such file or directory"));
}

TEST_F(AtomicFile, ReadErrorsNameThePathAndReason)
{
    EXPECT_THAT(error_of([&] { read_whole_file(m_dir / "absent.json"); }),
                HasSubstr("absent.json\": No such file or directory"));
    EXPECT_THAT(error_of([&] { read_whole_file(m_dir); }), HasSubstr("not a regular file"));
    // Opening a FIFO would wait for a writer forever: refused at once, and never replaced.
    const auto fifo = m_dir / "fifo.json";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THAT(error_of([&] { read_whole_file(fifo); }), HasSubstr("fifo.json\": it is not a regular file"));
    EXPECT_THAT(error_of([&] { write_file_atomically(fifo, "x"); }), HasSubstr("not a regular file"));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    write_file_atomically(m_dir / "big", std::string(100, 'b'));
    EXPECT_THAT(error_of([&] { read_whole_file(m_dir / "big", 99); }), HasSubstr("larger than 99 bytes"));
}
