#include <cstdio>
#include <string>

#include "app/tw32App.h"
#include "platform/ui/Application.h"

// tunewell [SONG]: opens the song, if one is given, as File Open would.
int main(int argc, char* argv[]) {
    const std::string problem = tw::ui::Application::DisplayProblem();
    if (!problem.empty()) {
        std::fprintf(stderr, "tunewell: %s\n", problem.c_str());
        return 1;
    }
    tw::tw32App app;
    if (!app.Start()) {
        return 1;
    }
    if (argc > 1) {
        app.OpenChosenFile(argv[1]);
    }
    return app.MessageLoop();
}
