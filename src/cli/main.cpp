// framepicker-cli: the main window's job for scripts and batch work.
#include "AppInfo.h"
#include "extraction/FrameExtractor.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace {

void printUsage(std::FILE* to)
{
    std::fputs("Usage: framepicker-cli [OPTION]... VIDEO...\n"
               "Write the exact first and last frame of each VIDEO as first.png and last.png\n"
               "into a folder beside it named after it, and print that folder's path.\n"
               "\n"
               "  -h, --help     show this help and exit\n"
               "  -V, --version  show the version and exit\n"
               "\n"
               "Exit status: 0 if every video succeeded, 1 if any failed, 2 for a usage error.\n",
               to);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> videos;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "-h" || argument == "--help")) {
            printUsage(stdout);
            return 0;
        } else if (!optionsEnded && (argument == "-V" || argument == "--version")) {
            std::printf("framepicker-cli %s\n", AppInfo::version);
            return 0;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            std::fprintf(stderr, "framepicker-cli: unknown option '%s'\n", argument.c_str());
            std::fputs("Try 'framepicker-cli --help' for more information.\n", stderr);
            return 2;
        } else {
            videos.push_back(argument);
        }
    }
    if (videos.empty()) {
        std::fputs("framepicker-cli: no video given\n", stderr);
        std::fputs("Try 'framepicker-cli --help' for more information.\n", stderr);
        return 2;
    }

    int status = 0;
    for (const std::string& video : videos) {
        try {
            const auto folder = FrameExtractor::extractFrames(video);
            std::printf("%s\n", folder.c_str());
            std::fflush(stdout);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "framepicker-cli: %s: %s\n", video.c_str(), error.what());
            status = 1;
        }
    }
    return status;
}
