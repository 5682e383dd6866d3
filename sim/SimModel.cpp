#include "sim/SimModel.h"

#include <algorithm>
#include <cmath>

namespace vlnokan::sim {

std::size_t SimModel::cellCount() const {
    std::size_t cells = 1;
    for (const auto& lines : mesh)
        cells *= lines.size() > 1 ? lines.size() - 1 : 0;
    return cells;
}

namespace {

// The key lines in order, those closer than a tenth of a millimetre counted once.
std::vector<double> distinctKeys(std::vector<double> keys) {
    std::sort(keys.begin(), keys.end());
    std::vector<double> distinct;
    for (const double key : keys)
        if (distinct.empty() || key - distinct.back() > 0.1)
            distinct.push_back(key);
    return distinct;
}

double cellsIn(double gap, double maxCell) {
    return std::max(1.0, std::ceil(gap / maxCell - 1e-9));
}

} // namespace

double meshLineCount(std::vector<double> keys, double maxCell) {
    const std::vector<double> distinct = distinctKeys(std::move(keys));
    double lines = distinct.empty() ? 0 : 1;
    for (std::size_t i = 1; i < distinct.size(); ++i)
        lines += cellsIn(distinct[i] - distinct[i - 1], maxCell);
    return lines;
}

std::vector<double> meshLines(std::vector<double> keys, double maxCell) {
    const std::vector<double> distinct = distinctKeys(std::move(keys));
    std::vector<double> lines;
    for (std::size_t i = 0; i < distinct.size(); ++i) {
        lines.push_back(distinct[i]);
        if (i + 1 == distinct.size())
            break;
        const double gap = distinct[i + 1] - distinct[i];
        const int cells = int(cellsIn(gap, maxCell));
        for (int k = 1; k < cells; ++k)
            lines.push_back(distinct[i] + gap * k / cells);
    }
    return lines;
}

void padMesh(std::vector<double>& lines, int count, double size) {
    if (lines.empty())
        return;
    const double low = lines.front();
    const double high = lines.back();
    for (int k = 1; k <= count; ++k) {
        lines.insert(lines.begin(), low - size * k);
        lines.push_back(high + size * k);
    }
}

} // namespace vlnokan::sim
