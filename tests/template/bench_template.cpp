// Times the default funnel's template PDF inside the program: developing the pattern, laying it on
// A4 sheets and writing the PDF into memory. Prints the first run and the median of the rest.
#include "pattern/Tiling.h"
#include "template/TemplateDocument.h"
#include "tests/template/TemplateTestSupport.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    using namespace vlnokan;
    const int runs = argc > 1 ? std::max(2, atoi(argv[1])) : 21;
    std::vector<double> times;
    qsizetype bytes = 0;
    std::size_t sheets = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        const auto tiling =
            pattern::Tiling::arrange(pattern::Pattern::develop(test::funnelDesign(40, 85, 300), {}),
                                     {*pattern::paperNamed("A4"), 5, 10});
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        templ::writePdf(buffer, tiling);
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
        bytes = buffer.size();
        sheets = tiling.sheets().size();
    }
    const double first = times.front();
    std::vector<double> rest(times.begin() + 1, times.end());
    std::sort(rest.begin(), rest.end());
    std::printf("default template PDF in the program: first %.1f ms, median %.1f ms of %d runs "
                "(%zu sheets + cover, %lld bytes)\n",
                first, rest[rest.size() / 2], runs - 1, sheets, static_cast<long long>(bytes));
    return 0;
}
