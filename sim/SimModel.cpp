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

std::vector<double> meshLines(std::vector<double> keys, double maxCell) {
    std::sort(keys.begin(), keys.end());
    std::vector<double> distinct;
    for (const double key : keys)
        if (distinct.empty() || key - distinct.back() > 0.1)
            distinct.push_back(key);
    std::vector<double> lines;
    for (std::size_t i = 0; i < distinct.size(); ++i) {
        lines.push_back(distinct[i]);
        if (i + 1 == distinct.size())
            break;
        const double gap = distinct[i + 1] - distinct[i];
        const int cells = std::max(1, int(std::ceil(gap / maxCell - 1e-9)));
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
