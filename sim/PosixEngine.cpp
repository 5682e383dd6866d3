#include "sim/Engine.h"

#include "sim/SimFaults.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <sys/wait.h>
#include <unistd.h>

namespace vlnokan::sim {

namespace fs = std::filesystem;

namespace {

class PosixEngineProcess final : public EngineProcess {
public:
    PosixEngineProcess(pid_t pid, int output) : m_pid(pid), m_output(output) {}
    ~PosixEngineProcess() override {
        if (!m_reaped) {
            kill();
            wait();
        }
        if (m_output >= 0)
            close(m_output);
    }
    PosixEngineProcess(const PosixEngineProcess&) = delete;
    PosixEngineProcess& operator=(const PosixEngineProcess&) = delete;

    Read readLine(std::string& line, int timeoutMs) override {
        if (takeLine(line))
            return Read::Line;
        if (m_output < 0)
            return finalLine(line);
        pollfd ready{m_output, POLLIN, 0};
        const int count = poll(&ready, 1, timeoutMs);
        if (count <= 0)
            return Read::Nothing;
        char buffer[4096];
        const ssize_t got = read(m_output, buffer, sizeof buffer);
        if (got > 0) {
            m_pending.append(buffer, std::size_t(got));
            return takeLine(line) ? Read::Line : Read::Nothing;
        }
        if (got < 0 && errno == EINTR)
            return Read::Nothing;
        close(m_output);
        m_output = -1;
        return finalLine(line);
    }

    void kill() override {
        if (!m_reaped)
            ::kill(-m_pid, SIGKILL);
    }

    int wait() override {
        if (!m_reaped) {
            int status = 0;
            while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
            }
            m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
            m_reaped = true;
        }
        return m_status;
    }

    long id() const override { return long(m_pid); }

private:
    bool takeLine(std::string& line) {
        const auto end = m_pending.find_first_of("\r\n");
        if (end == std::string::npos)
            return false;
        line = m_pending.substr(0, end);
        m_pending.erase(0, end + 1);
        return true;
    }

    Read finalLine(std::string& line) {
        if (m_pending.empty())
            return Read::Ended;
        line.swap(m_pending);
        m_pending.clear();
        return Read::Line;
    }

    pid_t m_pid = -1;
    int m_output = -1;
    std::string m_pending;
    bool m_reaped = false;
    int m_status = 0;
};

} // namespace

std::optional<fs::path> PosixEngineLauncher::find() const {
    if (const char* named = std::getenv("VLNOKAN_OPENEMS"); named && *named)
        return access(named, X_OK) == 0 ? std::optional<fs::path>(named) : std::nullopt;
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const fs::path candidate = fs::path(folders.substr(start, end - start)) / "openEMS";
        if (end > start && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

std::unique_ptr<EngineProcess> PosixEngineLauncher::start(const fs::path& program,
                                                          const std::vector<std::string>& args,
                                                          const fs::path& folder) {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        throw ESimulation("Simulátor nelze spustit: nelze vytvořit rouru.");
    // Everything the child needs is prepared before fork: after it only async-safe calls.
    const std::string programText = program.string();
    const std::string folderText = folder.string();
    std::vector<char*> argv{const_cast<char*>(programText.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
#ifdef __linux__
        // The engine ends with this program, even when it is killed without a chance to stop it.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
        dup2(pipeEnds[1], STDOUT_FILENO);
        dup2(pipeEnds[1], STDERR_FILENO);
        const int nothing = open("/dev/null", O_RDONLY);
        if (nothing >= 0)
            dup2(nothing, STDIN_FILENO);
        if (chdir(folderText.c_str()) == 0)
            execv(programText.c_str(), argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    if (pid < 0) {
        close(pipeEnds[0]);
        throw ESimulation("Simulátor nelze spustit: systém nepovolil nový proces.");
    }
    // Also from here, so that a kill right after the start reaches the whole group.
    setpgid(pid, pid);
    return std::make_unique<PosixEngineProcess>(pid, pipeEnds[0]);
}

} // namespace vlnokan::sim
