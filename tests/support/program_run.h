// Running a program as a user runs it, from a test: arguments passed word by
// word, output captured in files of the test's folder, exit code read back.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ds_test {

struct run_result {
    int exit_code = -1;
    std::string out;
    std::string err;
};

/// Runs `program` with `args`; its output goes through files in `folder`.
run_result run_program(const std::string& program, const std::vector<std::string>& args,
                       const std::filesystem::path& folder);

/// Runs the ds-host program this build made.
run_result run_ds_host(const std::vector<std::string>& args, const std::filesystem::path& folder);

}  // namespace ds_test
