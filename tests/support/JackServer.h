#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/midi/Outputs.h"
#include "platform/midi/SystemAudio.h"

extern char** environ;

namespace tw::test {

constexpr const char* kNoJackd =
    "jackd is not installed (Debian package jackd2); JACK tests skipped";

inline bool HaveJackd() {
    return std::system("command -v jackd >/dev/null 2>&1") == 0;
}

// Starts a program with its output sent to `logFile`; its process id, or -1.
inline pid_t Spawn(const std::vector<std::string>& args, const std::string& logFile) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    const bool started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return started ? pid : -1;
}

// Stops a process we started: SIGTERM, then SIGKILL after ten seconds. A
// killed JACK server leaves its entry in JACK's registry of servers behind.
inline void Stop(pid_t pid) {
    if (pid <= 0) {
        return;
    }
    kill(pid, SIGTERM);
    for (int i = 0; i < 1000; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// A private JACK server on the dummy driver, reached by this process and its
// children through JACK_DEFAULT_SERVER and stopped by its process id. JACK
// keeps at most eight servers in its registry and frees a dead one's entry
// only when a server of that name starts again, so the name is the first of
// four per user that no server holds, locked against other test processes.
// Periods of 512 frames and a two-second client timeout keep a loaded
// machine from missing cycles and turning clients away.
class JackServer {
public:
    explicit JackServer(const std::string& logDir) {
        setenv("JACK_NO_START_SERVER", "1", 1);
        for (int n = 0; n < 4 && !running_; ++n) {
            const std::string name =
                "tunewell-test-" + std::to_string(getuid()) + "-" + std::to_string(n);
            setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
            if (LockName(name) && !midi::JackServerRunning()) {
                pid_ = Spawn({"jackd", "--no-realtime", "--timeout", "2000", "--name", name, "-d",
                              "dummy", "-r", "48000", "-p", "512"},
                             logDir + "/jackd-" + name + ".log");
                running_ = WaitUntilServing();
            }
            if (!running_ && lock_ >= 0) {
                close(lock_);
                lock_ = -1;
            }
        }
    }
    ~JackServer() {
        // Clients that just left are dropped by the server's next cycles; a
        // server stopped before that waits out their timeout first.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        Stop(pid_);
        close(lock_);
        unsetenv("JACK_DEFAULT_SERVER");
    }
    JackServer(const JackServer&) = delete;
    JackServer& operator=(const JackServer&) = delete;

    [[nodiscard]] bool Running() const { return running_; }

private:
    bool LockName(const std::string& name) {
        const auto path = std::filesystem::temp_directory_path() / (name + ".lock");
        lock_ = open(path.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
        return lock_ >= 0 && flock(lock_, LOCK_EX | LOCK_NB) == 0;
    }

    // True once our server answers within ten seconds; otherwise nothing is
    // left running.
    bool WaitUntilServing() {
        for (int i = 0; i < 200; ++i) {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                return false;
            }
            if (midi::JackServerRunning()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        Stop(pid_);
        pid_ = -1;
        return false;
    }

    pid_t pid_ = -1;
    int lock_ = -1;
    bool running_ = false;
};

// The number of the output device `name` once it has appeared (at most five
// seconds), or -1.
inline int WaitForDevice(const std::string& name) {
    for (int i = 0; i < 100; ++i) {
        const std::vector<std::string> names = midi::OutputDeviceNames();
        const auto found = std::find(names.begin(), names.end(), name);
        if (found != names.end()) {
            // The port exists before its client runs; give the client time.
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            return static_cast<int>(found - names.begin());
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return -1;
}

}  // namespace tw::test
