// vlnokan-calc-draw: what vlnokan-calc runs for --draw DIR. The same calculation and output, and
// afterwards DIR/can.png and DIR/funnel.png: both drawings as the calculation left them, white
// kept white. They are saved after a fault too, showing how far the command got.
#include "cli/DrawView.h"
#include "cli/DrawingFiles.h"
#include "cli/Options.h"
#include "cli/RunCommand.h"
#include "cli/Usage.h"
#include "diagrams/Drawings.h"
#include "diagrams/Diagram.h"

#include <QGuiApplication>

#include <iostream>
#include <string>
#include <vector>

namespace {

// Qt's remarks about the environment (no runtime folder, ...) are not this program's output.
void dropRemarks(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toStdString() << '\n';
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto line = vlnokan::cli::parseCommandLine(args, vlnokan::cli::knownOptions);
    if (!line || line->value("--draw").value_or("").empty()) {
        std::cerr << vlnokan::cli::usage << '\n';
        return 2;
    }
    // The drawings are made in memory: no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropRemarks);
    QGuiApplication application(argc, argv);

    // The drawings' text is sized for a 96-dpi screen, the resolution they were designed at.
    vlnokan::Diagram can = vlnokan::makeCanDiagram();
    vlnokan::Diagram funnel = vlnokan::makeFunnelDiagram();
    vlnokan::LabelSlots labelSlots(can, funnel);
    vlnokan::cli::DrawView view(line->entries, std::cout, labelSlots);
    const int status = vlnokan::cli::runCalculate(view, std::cout, std::cerr);

    const std::string folder = *line->value("--draw");
    std::string failure = vlnokan::cli::prepareFolder(folder);
    if (failure.empty())
        failure = vlnokan::cli::save(can, folder, "can.png");
    if (failure.empty())
        failure = vlnokan::cli::save(funnel, folder, "funnel.png");
    if (failure.empty())
        return status;
    // Only the first fault is reported: after a failed calculation that one.
    if (status == 0)
        std::cerr << "error: " << failure << '\n';
    return 1;
}
