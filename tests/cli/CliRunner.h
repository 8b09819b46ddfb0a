#pragma once

// Runs the real tunewell-cli with its standard output and error captured.

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/Process.h"
#include "tests/support/TempDir.h"

namespace tw::test {

struct CliResult {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

struct CliOptions {
    std::string workdir;  // where the program runs; empty: where the test runs
    // When set, SIGINT (Ctrl-C) as soon as it returns true; asked every 10 ms.
    std::function<bool()> interruptWhen;
};

// `scratch` is a directory where the captured streams are kept while it runs.
inline CliResult RunCli(const std::vector<std::string>& arguments, const std::string& scratch,
                        const CliOptions& options = {}) {
    const std::string out = scratch + "/.stdout", err = scratch + "/.stderr";
    std::vector<std::string> argv{TUNEWELL_CLI_PATH};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    Process cli(argv, {}, options.workdir, out, err);
    while (options.interruptWhen && cli.Running() && !options.interruptWhen()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (options.interruptWhen && cli.Running()) {
        kill(cli.Pid(), SIGINT);
    }
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
