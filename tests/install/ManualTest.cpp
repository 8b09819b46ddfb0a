#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "resources/help/ManualPictures.h"
#include "support/TempDir.h"

namespace tw::test {
namespace {

const std::string kManual = ReadText(TUNEWELL_SOURCE_DIR "/resources/help/twhelp.html");

struct MenuItem {
    std::string popup;
    std::string text;
};

std::vector<MenuItem> MenuItems() {
    std::ifstream in(TUNEWELL_SOURCE_DIR "/resources/menus/100.menu");
    const std::regex line(R"re(^\s*(popup|item)\s+"([^"]+)")re");
    std::vector<MenuItem> items;
    std::string popup;
    for (std::string text; std::getline(in, text);) {
        std::smatch m;
        if (std::regex_search(text, m, line)) {
            // The manual names a command as the menu shows it, without its '&'.
            std::string shown = std::regex_replace(std::string(m[2]), std::regex("&"), "");
            if (m[1] == "popup") {
                popup = shown;
            } else {
                items.push_back({popup, shown});
            }
        }
    }
    return items;
}

// Every menu command is explained by its exact text, in bold, under a
// heading of its pop-up's name, within the chapter on the menus.
TEST(Manual, NamesEveryMenuCommandUnderItsMenu) {
    const std::vector<MenuItem> items = MenuItems();
    ASSERT_EQ(items.size(), 21u);
    const std::size_t chapter = kManual.find("<a name=\"menus\">");
    ASSERT_NE(chapter, std::string::npos);
    for (const MenuItem& item : items) {
        const std::size_t heading = kManual.find("<h3>" + item.popup + "</h3>", chapter);
        ASSERT_NE(heading, std::string::npos) << item.popup;
        const std::size_t next = kManual.find("<h3>", heading + 1);
        const std::size_t at = kManual.find("<b>" + item.text + "</b>", heading);
        EXPECT_TRUE(at != std::string::npos && at < next) << item.popup << ", " << item.text;
    }
}

// Every picture is shown, and every marker painted on it is explained
// after it, in a table row under its number and name.
TEST(Manual, ExplainsEveryNumberedRegionOfEveryPicture) {
    for (const manual::Picture& picture : manual::kPictures) {
        const std::size_t shown = kManual.find(std::string("src=\"images/") + picture.file + "\"");
        ASSERT_NE(shown, std::string::npos) << picture.file;
        const std::size_t next = kManual.find("<img", shown + 1);
        const std::string legend = kManual.substr(shown, next - shown);
        for (const manual::Marker& m : picture.markers) {
            const std::string number = "<td>" + std::to_string(m.number) + "</td>";
            const std::string name = m.name;
            EXPECT_TRUE(legend.find(number + "<td>" + name + "</td>") != std::string::npos ||
                        legend.find(number + "<td><b>" + name + "</b></td>") != std::string::npos)
                << picture.file << ": " << m.number << " " << name;
        }
    }
}

}  // namespace
}  // namespace tw::test
