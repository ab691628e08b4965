// A folder of its own for each test that writes files: made empty before the
// test, removed with everything in it afterwards.
#pragma once

#include <cstddef>
#include <filesystem>

#include <gtest/gtest.h>

namespace ds_test {

/// Fixture base; `m_dir` is the test's folder.
class temp_folder_test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    /// How many entries the folder holds (a temporary file left behind shows here).
    std::size_t files_in_dir() const;

    std::filesystem::path m_dir;
};

}  // namespace ds_test
