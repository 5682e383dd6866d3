#pragma once

#include "sim/Engine.h"

#include <QFile>
#include <QString>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <optional>

// Stands in for openEMS: a shell script run through the real process handling.
class ScriptLauncher final : public vlnokan::sim::EngineLauncher {
public:
    explicit ScriptLauncher(std::optional<std::filesystem::path> script)
        : m_script(std::move(script)) {}
    std::optional<std::filesystem::path> find() const override { return m_script; }
    std::unique_ptr<vlnokan::sim::EngineProcess>
    start(const std::filesystem::path& program, const std::vector<std::string>& args,
          const std::filesystem::path& folder) override {
        ++starts;
        auto process = m_real.start(program, args, folder);
        lastId = process->id();
        return process;
    }
    int starts = 0;
    long lastId = 0;

private:
    std::optional<std::filesystem::path> m_script;
    vlnokan::sim::PosixEngineLauncher m_real;
};

// Writes an executable shell script with body at path.
inline std::filesystem::path writeScript(const QString& path, const QString& body) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(("#!/bin/sh\n" + body).toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path.toStdString();
}

inline bool processGone(long id) {
    return id > 0 && ::kill(pid_t(id), 0) != 0 && errno == ESRCH;
}
