#pragma once

// Runs the real tunewell-cli with its standard output and error captured.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace tw::test {

struct CliResult {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

struct CliOptions {
    std::string workdir;        // where the program runs; empty: where the test runs
    // When set, SIGINT (Ctrl-C) as soon as it returns true; asked every 10 ms.
    std::function<bool()> interruptWhen;
};

// `scratch` is a directory where the captured streams are kept while it runs.
inline CliResult RunCli(const std::vector<std::string>& arguments, const std::string& scratch,
                        const CliOptions& options = {}) {
    const std::string paths[] = {scratch + "/.stdout", scratch + "/.stderr"};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int fd : {1, 2}) {
        posix_spawn_file_actions_addopen(&actions, fd, paths[fd - 1].c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    if (!options.workdir.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, options.workdir.c_str());
    }
    std::vector<std::string> all{TUNEWELL_CLI_PATH};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    CliResult result;
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        if (options.interruptWhen) {
            const auto running = [pid] {
                siginfo_t info{};
                return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) ==
                           0 &&
                       info.si_pid == 0;
            };
            while (running() && !options.interruptWhen()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            kill(pid, SIGINT);
        }
        int status = 0;
        if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
            result.status = WEXITSTATUS(status);
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    const auto take = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::string text(std::istreambuf_iterator<char>(in), {});
        std::remove(path.c_str());
        return text;
    };
    result.out = take(paths[0]);
    result.err = take(paths[1]);
    return result;
}

}  // namespace tw::test
