#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace vlnokan::test {

// What one run of a command-line program left: its exit status and both outputs.
struct CalcRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs program as a script would, in the locale lcAll, with further environment settings.
inline CalcRun runCalc(const QString& program, const QStringList& arguments,
                       const QString& lcAll = QStringLiteral("C"),
                       const std::vector<std::pair<QString, QString>>& environment = {},
                       int timeoutMs = 20000) {
    QProcess process;
    QProcessEnvironment settings = QProcessEnvironment::systemEnvironment();
    settings.insert(QStringLiteral("LC_ALL"), lcAll);
    for (const auto& [name, value] : environment)
        settings.insert(name, value);
    process.setProcessEnvironment(settings);
    process.start(program, arguments);
    process.waitForFinished(timeoutMs);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace vlnokan::test
