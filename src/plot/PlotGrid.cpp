#include "plot/PlotGrid.h"

#include <algorithm>
#include <cmath>

#include "convert/NumberFormat.h"

namespace halvex {

namespace {

// More lines than any screen can show apart; it bounds the loop whatever the numbers are.
constexpr int kMostLines = 1000;
constexpr int kMostDecimals = 17;

double RoundStep(double minimumStep) {
    const double power = std::pow(10.0, std::floor(std::log10(minimumStep)));
    for (const double multiple : {1.0, 2.0, 5.0, 10.0}) {
        if (multiple * power >= minimumStep) return multiple * power;
    }
    return 10 * power;
}

}  // namespace

GridLines MakeGridLines(double low, double high, double minimumStep) {
    GridLines grid;
    if (!(minimumStep > 0) || !std::isfinite(minimumStep) || !(high >= low)) return grid;
    grid.step = RoundStep(minimumStep);
    if (!std::isfinite(grid.step) || grid.step <= 0) return grid;
    grid.decimals =
        std::clamp(static_cast<int>(-std::floor(std::log10(grid.step))), 0, kMostDecimals);
    const double first = std::ceil(low / grid.step);
    for (int i = 0; i < kMostLines; ++i) {
        const double value = (first + i) * grid.step + 0.0;  // + 0.0 turns -0 into 0
        if (!(value <= high)) break;
        // Where the step is below the precision of the values, further lines add nothing.
        if (!grid.values.empty() && value <= grid.values.back()) break;
        grid.values.push_back(value);
    }
    return grid;
}

std::string GridValueText(double value, int decimals) { return FormatFixed(value, decimals); }

}  // namespace halvex
