#pragma once

// Runs the real tunewell-cli with its standard output and error captured.

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/Process.h"
#include "tests/support/TempDir.h"

namespace tw::test {

struct CliResult {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// `scratch` is a directory where the captured streams are kept while it
// runs; `workdir` is where the program runs, empty for where the test runs.
inline CliResult RunCli(const std::vector<std::string>& arguments, const std::string& scratch,
                        const std::string& workdir = {}) {
    const std::string out = scratch + "/.stdout", err = scratch + "/.stderr";
    std::vector<std::string> argv{TUNEWELL_CLI_PATH};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    Process cli(argv, {}, workdir, out, err);
    CliResult result;
    if (cli.WaitForExit(120000) && WIFEXITED(cli.ExitStatus())) {
        result.status = WEXITSTATUS(cli.ExitStatus());
    }
    result.out = ReadText(out);
    result.err = ReadText(err);
    std::remove(out.c_str());
    std::remove(err.c_str());
    return result;
}

}  // namespace tw::test
