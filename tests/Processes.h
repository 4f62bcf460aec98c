#pragma once

// Processes as /proc shows them, for tests that look for the children a program started.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/types.h>

// The processes whose parent is `parent`, zombies included.
inline std::vector<pid_t> childrenOf(pid_t parent)
{
    std::vector<pid_t> children;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::isdigit(static_cast<unsigned char>(name[0])) || !std::getline(stat, line))
            continue;
        std::istringstream fields(line.substr(line.rfind(')') + 1));
        char state = 0;
        pid_t ppid = 0;
        if (fields >> state >> ppid && ppid == parent)
            children.push_back(std::stoi(name));
    }
    return children;
}

// Ended, or a zombie left to whoever adopted it.
inline bool ended(pid_t process)
{
    std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
    std::string line;
    return !std::getline(stat, line) || line.substr(line.rfind(')') + 2, 1) == "Z";
}
