#include "stage/GridLayout.h"

#include "base/Rounding.h"

#include <algorithm>

namespace {

// The narrowing test counts the header column at its standard width whatever its width at that moment.
constexpr double HeaderColumnPixels = double(HeaderColumnUnits) / WidthUnitsPerPixel;

} // namespace

std::vector<int> columnPixelWidths(const std::vector<int>& columnUnits)
{
    std::vector<int> widths;
    widths.reserve(columnUnits.size());
    long long edgeUnits = 0;
    int left = 0;
    for (const int units : columnUnits) {
        edgeUnits += units;
        const int right = static_cast<int>(roundHalfEven(static_cast<double>(edgeUnits) / WidthUnitsPerPixel));
        widths.push_back(right - left);
        left = right;
    }
    return widths;
}

GridColumnLayout layOutGridColumns(double areaWidth, double gridWidth, int dataColumns, int headerUnits,
                                   const ColumnWidthReadBack& readBack)
{
    const auto reported = [&readBack](int units) { return readBack ? readBack(units) : units; };
    constexpr double unitsPerPixel = WidthUnitsPerPixel;

    int units = 0;
    if (dataColumns > 0) {
        // Multiplying before dividing keeps exact halves (573.5) exact, so halves-to-even decides them.
        const double room = gridWidth - headerUnits / unitsPerPixel - ScrollBarWidth;
        units = std::max(0, static_cast<int>(roundHalfEven(room * unitsPerPixel / dataColumns)));
        if (gridWidth < reported(units) / unitsPerPixel * dataColumns + HeaderColumnPixels + ScrollBarWidth)
            units = std::max(0, units - WidthUnitsPerPixel);
    }

    GridColumnLayout layout;
    layout.columnUnits = units;
    const double columnsWidth = double(reported(units)) * std::max(0, dataColumns) + reported(HeaderColumnUnits);
    layout.gridWidth = columnsWidth / unitsPerPixel + ScrollBarWidth;
    layout.gridLeft = (areaWidth - layout.gridWidth) / 2.0;
    return layout;
}
