#include "print/LpJob.h"

#include <QEventLoop>
#include <QProcess>

namespace vlnokan {

LpOutcome sendWithLp(const QString& queue, const QString& title, const QString& file) {
    QProcess lp;
    lp.setProgram(QStringLiteral("lp"));
    lp.setArguments({"-d", queue, "-t", title, "-o", "print-scaling=none", "--", file});
    QEventLoop waiting;
    QObject::connect(&lp, &QProcess::finished, &waiting, &QEventLoop::quit);
    QObject::connect(&lp, &QProcess::errorOccurred, &waiting, [&waiting](auto error) {
        if (error == QProcess::FailedToStart)
            waiting.quit();
    });
    lp.start();
    if (lp.state() != QProcess::NotRunning)
        waiting.exec();
    LpOutcome outcome;
    outcome.started = lp.error() != QProcess::FailedToStart;
    if (!outcome.started)
        outcome.startError = lp.errorString();
    outcome.accepted = lp.error() == QProcess::UnknownError &&
                       lp.exitStatus() == QProcess::NormalExit && lp.exitCode() == 0;
    outcome.complaint = QString::fromLocal8Bit(lp.readAllStandardError()).trimmed();
    return outcome;
}

} // namespace vlnokan
