#pragma once
// The coordinate grid of a point plot: lines at round survey values (1, 2 or 5 times a power of
// ten) about a hundred pixels apart at the current scale, labelled with their values.

#include <string>
#include <vector>

namespace halvex {

struct GridLines {
    double step = 0;
    int decimals = 0;            // enough to tell neighbouring lines apart
    std::vector<double> values;  // in increasing order
};

// The grid lines between `low` and `high` for lines at least `minimumStep` apart.
GridLines MakeGridLines(double low, double high, double minimumStep);

// A grid value as the plot writes it (no exponent, locale-independent).
std::string GridValueText(double value, int decimals);

}  // namespace halvex
