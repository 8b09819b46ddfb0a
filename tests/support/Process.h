#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace tw::test {

// A program started for a test and ended by its pid when the test is done,
// whatever happened.
class Process {
public:
    // argv[0] is the program, found on PATH unless a path; env entries ("NAME=value") are added
    // to this process's environment; dir, if not empty, is its working
    // directory. Output goes to /dev/null unless logPath names a file;
    // errors go with it unless errPath names another.
    Process(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
            const std::string& dir = {}, const std::string& logPath = "/dev/null",
            const std::string& errPath = {}) {
        std::vector<std::string> environment(env);
        for (char** e = environ; *e != nullptr; ++e) {
            environment.emplace_back(*e);
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        if (errPath.empty()) {
            posix_spawn_file_actions_adddup2(&actions, 1, 2);
        } else {
            posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(),
                                             O_WRONLY | O_CREAT | O_TRUNC, 0644);
        }
        if (!dir.empty()) {
            posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
        }
        std::vector<char*> args = Pointers(argv);
        std::vector<char*> envp = Pointers(environment);
        if (posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), envp.data()) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Process() { End(); }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    pid_t Pid() const { return pid_; }
    bool Running() {
        Reap(false);
        return pid_ > 0;
    }
    // Waits up to timeoutMs for the process to end by itself; true if it did.
    bool WaitForExit(int timeoutMs) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (Running() && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return !Running();
    }
    int ExitStatus() const { return status_; }
    // Ends the process: SIGTERM, then SIGKILL after graceMs.
    void End(int graceMs = 2000) {
        if (pid_ <= 0) {
            return;
        }
        kill(pid_, SIGTERM);
        if (!WaitForExit(graceMs)) {
            kill(pid_, SIGKILL);
            Reap(true);
        }
    }

private:
    static std::vector<char*> Pointers(const std::vector<std::string>& strings) {
        std::vector<char*> p;
        for (const std::string& s : strings) {
            p.push_back(const_cast<char*>(s.c_str()));
        }
        p.push_back(nullptr);
        return p;
    }
    void Reap(bool block) {
        if (pid_ > 0 && waitpid(pid_, &status_, block ? 0 : WNOHANG) == pid_) {
            pid_ = -1;
        }
    }

    pid_t pid_ = -1;
    int status_ = 0;
};

// Runs a shell command and returns what it wrote on standard output; with
// `exitStatus`, also its exit status (-1 when it did not exit normally).
inline std::string Capture(const std::string& command, int* exitStatus = nullptr) {
    std::string out;
    int status = -1;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[65536];
        std::size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            out.append(buffer, n);
        }
        status = pclose(pipe);
    }
    if (exitStatus != nullptr) {
        *exitStatus = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return out;
}

}  // namespace tw::test
