#include "cli/DrawCompanion.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace vlnokan::cli {

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr const char* programSuffix = ".exe";
#else
constexpr const char* programSuffix = "";
#endif

fs::path ownDirectory(const std::string& ownPath) {
    std::error_code error;
#ifdef __linux__
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        return self.parent_path();
#endif
    const fs::path given = fs::absolute(ownPath, error);
    return error ? fs::path() : given.parent_path();
}

fs::path findCompanion(const std::string& companionName, const std::string& ownPath) {
    const fs::path directory = ownDirectory(ownPath);
    for (const fs::path& candidate :
         {directory / companionName, directory / VLNOKAN_DRAW_FROM_BIN / companionName}) {
        std::error_code error;
        if (fs::is_regular_file(candidate, error))
            return candidate;
    }
    return {};
}

} // namespace

int runDrawCompanion(const std::string& ownPath, const std::vector<std::string>& args) {
    return runCompanion("vlnokan-calc-draw", ownPath, args);
}

int runCompanion(const std::string& name, const std::string& ownPath,
                 const std::vector<std::string>& args) {
    const std::string companionName = name + programSuffix;
    const fs::path companion = findCompanion(companionName, ownPath);
    if (companion.empty()) {
        std::cerr << "error: " << companionName << " was not found beside vlnokan-calc.\n";
        return 1;
    }
    const std::string program = companion.string();
    std::vector<const char*> argv{program.c_str()};
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    argv.push_back(nullptr);
    std::cout.flush();
#ifdef _WIN32
    const auto status = _spawnv(_P_WAIT, program.c_str(), argv.data());
    if (status != -1)
        return int(status);
#else
    execv(program.c_str(), const_cast<char* const*>(argv.data()));
#endif
    std::cerr << "error: " << program << " could not be started.\n";
    return 1;
}

} // namespace vlnokan::cli
