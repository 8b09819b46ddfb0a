#pragma once

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/midi/Outputs.h"
#include "platform/midi/SystemAudio.h"
#include "tests/support/Process.h"

namespace tw::test {

constexpr const char* kNoJackd =
    "jackd is not installed (Debian package jackd2); JACK tests skipped";

inline bool HaveJackd() {
    return std::system("command -v jackd >/dev/null 2>&1") == 0;
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
                jackd_ = std::make_unique<Process>(
                    std::vector<std::string>{"jackd", "--no-realtime", "--timeout", "2000",
                                             "--name", name, "-d", "dummy", "-r", "48000", "-p",
                                             "512"},
                    std::vector<std::string>{}, "", logDir + "/jackd-" + name + ".log");
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
        // server stopped before that waits out their timeout first. A killed
        // server leaves its entry in JACK's registry behind, so it is given
        // ten seconds to end by itself.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        if (jackd_) {
            jackd_->End(10000);
        }
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
        for (int i = 0; i < 200 && jackd_->Running(); ++i) {
            if (midi::JackServerRunning()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        jackd_->End(10000);
        return false;
    }

    std::unique_ptr<Process> jackd_;
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
