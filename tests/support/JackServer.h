#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/midi/SystemAudio.h"

extern char** environ;

namespace tw::test {

// True when an executable of that name is on the PATH.
inline bool HaveProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
    for (std::size_t start = 0; start <= dirs.size();) {
        std::size_t end = dirs.find(':', start);
        end = end == std::string::npos ? dirs.size() : end;
        if (access((dirs.substr(start, end - start) + "/" + name).c_str(), X_OK) == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
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
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Stops a process we started: SIGTERM, then SIGKILL if it is still there
// after ten seconds. A JACK server needs the time: killed, it leaves its
// entry in JACK's registry of servers behind.
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

// A private JACK server on the dummy driver (no sound card), under a name of
// its own that this process and its children reach through
// JACK_DEFAULT_SERVER; stopped by its process id. The name is the first of
// a few per user that no running server holds: JACK keeps at most eight
// servers in its registry and frees the entry of one that died only when a
// server of the same name starts again. A lock file beside the temporary
// files keeps two test processes from taking the same name. Periods of 512 frames at 48 kHz
// (10.7 ms) and a client timeout of two seconds keep a loaded machine from
// missing cycles and turning clients away.
class JackServer {
public:
    explicit JackServer(const std::string& logDir) {
        setenv("JACK_NO_START_SERVER", "1", 1);
        for (int n = 0; n < 4 && !running_; ++n) {
            name_ = "tunewell-test-" + std::to_string(getuid()) + "-" + std::to_string(n);
            setenv("JACK_DEFAULT_SERVER", name_.c_str(), 1);
            if (!LockName() || midi::JackServerRunning()) {
                Unlock();
                continue;  // another run holds this name
            }
            pid_ = Spawn({"jackd", "--no-realtime", "--timeout", "2000", "--name", name_, "-d",
                          "dummy", "-r", "48000", "-p", "512"},
                         logDir + "/jackd-" + name_ + ".log");
            running_ = WaitUntilServing();
        }
    }
    ~JackServer() {
        // Clients that just left are dropped by the server's next cycles; a
        // server stopped before that waits out their timeout first.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        Stop(pid_);
        Unlock();
        unsetenv("JACK_DEFAULT_SERVER");
    }
    JackServer(const JackServer&) = delete;
    JackServer& operator=(const JackServer&) = delete;

    [[nodiscard]] bool Running() const { return running_; }
    [[nodiscard]] const std::string& Name() const { return name_; }

private:
    bool LockName() {
        const auto path = std::filesystem::temp_directory_path() / (name_ + ".lock");
        lock_ = open(path.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
        return lock_ >= 0 && flock(lock_, LOCK_EX | LOCK_NB) == 0;
    }
    void Unlock() {
        if (lock_ >= 0) {
            close(lock_);
            lock_ = -1;
        }
    }

    // True once our server answers; false, with nothing left running, when it
    // exits or does not answer within ten seconds.
    bool WaitUntilServing() {
        for (int i = 0; pid_ > 0 && i < 200; ++i) {
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

    std::string name_;
    pid_t pid_ = -1;
    int lock_ = -1;
    bool running_ = false;
};

}  // namespace tw::test
