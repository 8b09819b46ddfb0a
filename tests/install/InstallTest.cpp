#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "resources/help/ManualPictures.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace tw::test {
namespace {

namespace fs = std::filesystem;

bool Installed(const char* tool) {
    return access((std::string("/usr/bin/") + tool).c_str(), X_OK) == 0;
}

// The exit status of a shell command; its output and errors go to `out`.
int Shell(const std::string& command, std::string* out = nullptr) {
    int status = -1;
    const std::string text = Capture(command + " 2>&1", &status);
    if (out != nullptr) {
        *out = text;
    }
    return status;
}

// The width and height from a PNG file's header.
std::pair<int, int> PngSize(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char h[24] = {};
    in.read(reinterpret_cast<char*>(h), sizeof h);
    auto u32 = [&](int at) {
        return (h[at] << 24) | (h[at + 1] << 16) | (h[at + 2] << 8) | h[at + 3];
    };
    return {u32(16), u32(20)};
}

// The build tree installed once into a temporary prefix for all tests.
class Install : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        prefix = new TempDir;
        installed =
            Shell(std::string(TUNEWELL_CMAKE) + " --install " TUNEWELL_BUILD_DIR " --prefix " +
                      prefix->path().string(),
                  &log) == 0;
    }
    static void TearDownTestSuite() { delete prefix; }
    void SetUp() override { ASSERT_TRUE(installed) << log; }

    static fs::path Bin(const std::string& name) { return prefix->path() / "bin" / name; }
    static fs::path Share(const std::string& path) { return prefix->path() / "share" / path; }

    static inline TempDir* prefix = nullptr;
    static inline bool installed = false;
    static inline std::string log;
};

TEST_F(Install, PutsProgramsManualDemoSongIconsAndAValidDesktopEntryAndMimeTypeInPlace) {
    for (const char* program : {"tunewell", "tunewell-cli"}) {
        EXPECT_EQ(access(Bin(program).c_str(), X_OK), 0) << program;
    }
    std::vector<fs::path> files{Share("tunewell/twhelp.html"), Share("tunewell/demo.kar"),
                                Share("applications/tunewell.desktop"),
                                Share("mime/packages/tunewell.xml")};
    for (const manual::Picture& picture : manual::kPictures) {
        files.push_back(Share("tunewell/images/") / picture.file);
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string s = std::to_string(size);
        const fs::path icon = Share("icons/hicolor/" + s + "x" + s + "/apps/tunewell.png");
        files.push_back(icon);
        EXPECT_EQ(PngSize(icon), std::make_pair(size, size)) << icon;
    }
    for (const fs::path& file : files) {
        EXPECT_TRUE(fs::is_regular_file(file) && fs::file_size(file) > 0) << file;
    }
    // Every picture the manual shows is installed beside it.
    const std::string manualText = ReadText(Share("tunewell/twhelp.html"));
    const std::regex image(R"re(src="([^"]+)")re");
    for (std::sregex_iterator it(manualText.begin(), manualText.end(), image), end; it != end;
         ++it) {
        EXPECT_TRUE(fs::is_regular_file(Share("tunewell") / (*it)[1].str())) << (*it)[1];
    }

    const std::string entry = ReadText(Share("applications/tunewell.desktop"));
    EXPECT_NE(entry.find("\nExec=tunewell %f\n"), std::string::npos);
    EXPECT_NE(entry.find("\nIcon=tunewell\n"), std::string::npos);
    EXPECT_NE(entry.find("\nMimeType=audio/midi;audio/x-midi;audio/x-karaoke;\n"),
              std::string::npos);
    const fs::path mime = Share("mime/packages/tunewell.xml");
    EXPECT_NE(ReadText(mime).find("<glob pattern=\"*.kar\""), std::string::npos);

    // scripts/setup installs the validators; without them the entries go unchecked.
    std::string out;
    if (Installed("desktop-file-validate")) {
        const fs::path desktop = Share("applications/tunewell.desktop");
        EXPECT_EQ(Shell("desktop-file-validate " + desktop.string(), &out), 0) << out;
    }
    if (Installed("xmllint")) {
        EXPECT_EQ(Shell("xmllint --noout " + mime.string(), &out), 0) << out;
    }
    // The desktop's own MIME database, built from the entry, maps .kar to
    // the karaoke type that the desktop entry names.
    if (Installed("update-mime-database")) {
        ASSERT_EQ(Shell("update-mime-database " + Share("mime").string(), &out), 0) << out;
        EXPECT_NE(ReadText(Share("mime/globs2")).find("60:audio/x-karaoke:*.kar"),
                  std::string::npos);
    }
}

TEST_F(Install, EveryCommandOfTheInstalledCliHasItsOwnHelp) {
    std::string usage;
    ASSERT_EQ(Shell(Bin("tunewell-cli").string() + " --help", &usage), 0);
    const std::regex command(R"(\n  ([a-z]+) +[a-z])");
    std::vector<std::string> commands;
    for (std::sregex_iterator it(usage.begin(), usage.end(), command), end; it != end; ++it) {
        commands.push_back((*it)[1]);
    }
    EXPECT_EQ(commands, (std::vector<std::string>{"info", "dump", "resave", "convert", "ports",
                                                  "play", "render"}));
    for (const std::string& name : commands) {
        std::string help;
        EXPECT_EQ(Shell(Bin("tunewell-cli").string() + " " + name + " --help", &help), 0);
        EXPECT_EQ(help.rfind("Usage: tunewell-cli " + name, 0), 0u) << help;
        EXPECT_NE(help.find("Exit status:"), std::string::npos) << name;
    }
}

}  // namespace
}  // namespace tw::test
