// SPDX-License-Identifier: GPL-3.0-or-later
// vlnokan-calc-template: what vlnokan-calc runs for --template FILE. The same calculation and
// output, then the funnel's cutting template written to FILE, its format from the extension: PDF
// tiled on paper with a cover sheet, or the whole pattern as SVG or DXF. The file is written
// whole or not at all.
#include "cli/CliView.h"
#include "cli/Options.h"
#include "cli/RunCommand.h"
#include "cli/Usage.h"
#include "template/TemplateFiles.h"

#include <QGuiApplication>

#include <charconv>
#include <cmath>
#include <iostream>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using vlnokan::cli::CommandLine;

// Qt's remarks about the environment (no runtime folder, ...) are not this program's output.
void dropRemarks(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toStdString() << '\n';
}

int usageError(const std::string& why = {}) {
    if (!why.empty())
        std::cerr << "error: " << why << '\n';
    std::cerr << vlnokan::cli::usage << '\n';
    return 2;
}

// A length in millimetres from 0 to limit, decimal point; nullopt when malformed or out of range.
std::optional<double> length(const CommandLine& line, std::string_view name, double fallback,
                             double limit) {
    const auto text = line.value(name);
    if (!text)
        return fallback;
    double value = 0;
    const char* end = text->data() + text->size();
    const auto [stop, error] = std::from_chars(text->data(), end, value);
    if (text->empty() || error != std::errc() || stop != end || !std::isfinite(value) ||
        value < 0 || value > limit)
        return std::nullopt;
    return value;
}

std::optional<int> pieces(const CommandLine& line) {
    const auto text = line.value("--pieces");
    if (!text)
        return 1;
    int value = 0;
    const char* end = text->data() + text->size();
    const auto [stop, error] = std::from_chars(text->data(), end, value);
    if (text->empty() || error != std::errc() || stop != end || value < 1 || value > 12)
        return std::nullopt;
    return value;
}

} // namespace

int main(int argc, char** argv) {
    using namespace vlnokan;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto line = cli::parseCommandLine(args, cli::knownOptions);
    if (!line || line->value("--template").value_or("").empty() || line->has("--draw"))
        return usageError();
    // The file's name as given, byte for byte, whatever its encoding; only its extension is read.
    const std::string path = *line->value("--template");
    const auto format = templ::formatOf(QString::fromLatin1(path.c_str()));
    const auto paper = pattern::paperNamed(line->value("--paper").value_or("A4"));
    const auto margin = length(*line, "--margin", 5, 50);
    const auto overlap = length(*line, "--overlap", 10, 100);
    const auto seam = length(*line, "--seam", 10, 100);
    const auto thickness = length(*line, "--thickness", 0, 10);
    const auto count = pieces(*line);
    if (!format)
        return usageError("the template's file must end in .pdf, .svg or .dxf.");
    if (!paper)
        return usageError("--paper must be A4, A3, Letter or Legal.");
    for (const auto& [value, name, limit] :
         {std::tuple{margin, "--margin", 50}, std::tuple{overlap, "--overlap", 100},
          std::tuple{seam, "--seam", 100}, std::tuple{thickness, "--thickness", 10}})
        if (!value)
            return usageError(std::string(name) + " must be a number of millimetres from 0 to " +
                              std::to_string(limit) + ".");
    if (!count)
        return usageError("--pieces must be a whole number from 1 to 12.");

    // The template is drawn in memory: no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropRemarks);
    QGuiApplication application(argc, argv);

    cli::CliView view(line->entries, std::cout);
    const int status = cli::runCalculate(view, std::cout, std::cerr);
    if (status != 0)
        return status;
    if (!view.design().funnelKnown) {
        std::cerr << "error: the funnel was not developed.\n";
        return 1;
    }
    std::optional<pattern::Pattern> pattern;
    std::optional<pattern::Tiling> tiling;
    try {
        pattern = pattern::Pattern::develop(view.design(), {*seam, *thickness, *count});
        // Only the PDF is laid on paper.
        if (*format == templ::FileFormat::Pdf)
            tiling = pattern::Tiling::arrange(*pattern, {*paper, *margin, *overlap});
    } catch (const Exception& fault) {
        // Options that do not fit this funnel or this paper.
        return usageError(fault.message() + '.');
    }
    try {
        if (tiling)
            templ::saveTemplate(path, *format, *tiling);
        else
            templ::savePattern(path, *format, *pattern);
    } catch (const templ::ETemplateFile& fault) {
        std::cerr << "error: cannot write " << fault.path() << ": " << fault.reason() << ".\n";
        return 1;
    }
    return 0;
}
