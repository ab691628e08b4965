// Programs run through the shell, every argument single-quoted.
#include "support/program_run.h"

#include <sys/wait.h>

#include <cstdlib>

#include "host/framework/atomic_file.h"

namespace ds_test {

namespace {

std::string quoted(const std::string& text)
{
    std::string q = "'";
    for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

}  // namespace

run_result run_program(const std::string& program, const std::vector<std::string>& args,
                       const std::filesystem::path& folder)
{
    std::string command = quoted(program);
    for (const std::string& arg : args) command += " " + quoted(arg);
    const std::filesystem::path out = folder / "stdout.txt", err = folder / "stderr.txt";
    command += " >" + quoted(out.string()) + " 2>" + quoted(err.string());
    const int status = std::system(command.c_str());
    run_result result;
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ds_file::read_whole_file(out);
    result.err = ds_file::read_whole_file(err);
    return result;
}

run_result run_ds_host(const std::vector<std::string>& args, const std::filesystem::path& folder)
{
    return run_program((std::filesystem::path(DS_BIN_DIR) / "ds-host").string(), args, folder);
}

}  // namespace ds_test
