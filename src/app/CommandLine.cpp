#include "CommandLine.h"

#include <algorithm>
#include <string_view>

namespace {

// The options QCoreApplication, QGuiApplication, QApplication and the xcb platform take out
// of the arguments (Qt 6.4 to 6.8): those followed by a value, those with their value after
// "=" in the same argument, and those without one.
constexpr std::string_view qtWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry", "qwindowtitle",
    "title",    "qwindowicon",        "icon",          "session", "style",          "stylesheet", "display",
    "name",     "visual",             "qmljsdebugger",
};
constexpr std::string_view qtWithJoinedValue[] = {"style=", "stylesheet=", "qmljsdebugger="};
constexpr std::string_view qtWithoutValue[] = {"reverse", "testability", "widgetcount", "nograb", "dograb"};

bool among(std::string_view word, const auto& words)
{
    return std::ranges::find(words, word) != std::end(words);
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            line.videos.insert(line.videos.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1, arguments.end());
            break;
        }
        if (argument.size() < 2 || argument[0] != '-') {
            line.videos.push_back(argument);
            continue;
        }
        const std::string_view word = std::string_view(argument).substr(argument[1] == '-' ? 2 : 1);
        if (word == "h" || word == "help") {
            line.action = CommandLine::Action::help;
            return line;
        }
        if (word == "V" || word == "version") {
            line.action = CommandLine::Action::version;
            return line;
        }
        if (word == "about") {
            line.about = true;
        } else if (among(word, qtWithValue)) {
            if (++i == arguments.size())
                throw Cli::UsageError{"cli.needsValue %@", argument};
        } else if (!among(word, qtWithoutValue)
                   && std::ranges::none_of(qtWithJoinedValue, [&](std::string_view option) { return word.starts_with(option); })) {
            throw Cli::UsageError{"cli.unknownOption %@", argument};
        }
    }
    return line;
}
