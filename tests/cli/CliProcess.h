#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace tw::test {

inline std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A working directory of the test's own under the temporary directory.
inline std::filesystem::path FreshDirectory(const std::string& tag) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        ("tw-" + tag + "-" + std::to_string(getpid()) + "-" + test->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// tunewell-cli started in `dir` with its output going to files there.
class CliProcess {
public:
    CliProcess(const std::filesystem::path& dir, const std::vector<std::string>& args) : dir_(dir) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
        posix_spawn_file_actions_addopen(&actions, 1, (dir / "cli.out").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, (dir / "cli.err").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::vector<std::string> all = {TUNEWELL_CLI_PATH};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& arg : all) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }

    [[nodiscard]] pid_t Pid() const { return pid_; }

    // The exit status, -1 when it did not start, 128 + N when killed by N.
    int Wait() {
        int status = 0;
        if (pid_ <= 0 || waitpid(pid_, &status, 0) != pid_) {
            return -1;
        }
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    [[nodiscard]] std::string Out() const { return FileText(dir_ / "cli.out"); }
    [[nodiscard]] std::string Err() const { return FileText(dir_ / "cli.err"); }

private:
    std::filesystem::path dir_;
    pid_t pid_ = -1;
};

// Runs tunewell-cli to the end.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun RunCliIn(const std::filesystem::path& dir, const std::vector<std::string>& args) {
    CliProcess process(dir, args);
    const int status = process.Wait();
    return {status, process.Out(), process.Err()};
}

}  // namespace tw::test
