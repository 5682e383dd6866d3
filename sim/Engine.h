#pragma once

#include "core/Seam.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vlnokan::sim {

// A running engine: its merged output read line by line, stopped at will, always reaped.
class EngineProcess {
public:
    virtual ~EngineProcess() = default;

    enum class Read { Line, Nothing, Ended };
    // Waits up to timeoutMs for a whole line of output.
    virtual Read readLine(std::string& line, int timeoutMs) = 0;
    // Ends the process (and any it started) at once.
    virtual void kill() = 0;
    // Waits for the end: the exit status, or minus the signal that ended it.
    virtual int wait() = 0;
    virtual long id() const = 0;
};

// Finds and starts the openEMS command. A test can stand in its own engine.
class EngineLauncher {
public:
    virtual ~EngineLauncher() = default;
    // The engine's program, nullopt when it is not installed.
    virtual std::optional<std::filesystem::path> find() const = 0;
    // Starts program with args in folder; throws ESimulation when it cannot.
    virtual std::unique_ptr<EngineProcess> start(const std::filesystem::path& program,
                                                 const std::vector<std::string>& args,
                                                 const std::filesystem::path& folder) = 0;
};

// The real engine: "openEMS" on the PATH (or the program named by VLNOKAN_OPENEMS), run in its
// own process group so that stopping it also stops what it started.
class PosixEngineLauncher final : public EngineLauncher {
public:
    std::optional<std::filesystem::path> find() const override;
    std::unique_ptr<EngineProcess> start(const std::filesystem::path& program,
                                         const std::vector<std::string>& args,
                                         const std::filesystem::path& folder) override;
};

using Engines = Seam<EngineLauncher, PosixEngineLauncher>;

} // namespace vlnokan::sim
