// The fixture of the ds-host end-to-end tests: runs the built binary as a
// user runs it, in a fresh folder, and reads back its output and files.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/framework/atomic_file.h"
#include "support/temp_folder.h"
#include "support/utf8_literal.h"

namespace ds_cli_test {

using ds_test::utf8;
namespace fs = std::filesystem;

struct run_result {
    int exit_code = -1;
    std::string out;
    std::string err;
};

inline std::string read_file(const fs::path& file) { return ds_file::read_whole_file(file); }

inline void write_file(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

/// Single quotes for the shell.
inline std::string quoted(const std::string& text)
{
    std::string q = "'";
    for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class DsHostCli : public ds_test::temp_folder_test {
protected:
    void SetUp() override
    {
        temp_folder_test::SetUp();
        m_project = m_dir / "project.json";
    }

    /// Runs ds-host with `args` (each passed as one word), capturing its output in the test folder.
    run_result run(const std::vector<std::string>& args) { return run_program((fs::path(DS_BIN_DIR) / "ds-host").string(), args); }

    run_result run_program(const std::string& program, const std::vector<std::string>& args)
    {
        std::string command = quoted(program);
        for (const std::string& arg : args) command += " " + quoted(arg);
        const fs::path out = m_dir / "stdout.txt", err = m_dir / "stderr.txt";
        command += " >" + quoted(out.string()) + " 2>" + quoted(err.string());
        const int status = std::system(command.c_str());
        run_result result;
        result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = read_file(out);
        result.err = read_file(err);
        return result;
    }

    /// Adds a single drawing `name` that refers to pedestals of `structure`.
    void add_referenced(const std::string& name, const std::string& structure, const char* rows = "1,2")
    {
        ASSERT_EQ(run({"add", m_project.string(), "--name", name}).exit_code, 0);
        const run_result ref = run({"reference", m_project.string(), "-d", name, "--structure", structure, "--rows", rows,
                                    "--numbers", "1,2"});
        ASSERT_EQ(ref.exit_code, 0) << ref.err;
    }

    /// A project on the sample bridge with one single drawing that refers to pier 1.
    void make_referenced_project()
    {
        ASSERT_EQ(run({"new", m_project.string()}).exit_code, 0);
        add_referenced(utf8(u8"垫石"), utf8(u8"主线1号墩"), "1");
    }

    /// Exports the drawing to `csv` and gives back its text.
    std::string export_csv(const fs::path& csv)
    {
        const run_result exported = run({"export", m_project.string(), "--csv", csv.string()});
        EXPECT_EQ(exported.exit_code, 0) << exported.err;
        return read_file(csv);
    }

    fs::path m_project;
};

inline bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

/// The difference lines an import printed.
inline std::vector<std::string> change_lines(const std::string& out)
{
    std::vector<std::string> lines;
    std::size_t at = out.find(utf8(u8"changes (before → after):\n"));
    if (at == std::string::npos) return lines;
    for (at = out.find('\n', at) + 1; out.compare(at, 2, "  ") == 0; at = out.find('\n', at) + 1)
        lines.push_back(out.substr(at + 2, out.find('\n', at) - at - 2));
    return lines;
}

}  // namespace ds_cli_test
