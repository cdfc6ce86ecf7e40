#include "stage/GridLayout.h"

#include "base/Rounding.h"

#include <algorithm>

namespace {

// The narrowing test counts the header column as 50 pixels whatever its width at that moment.
constexpr double HeaderColumnPixels = 50.0;

} // namespace

GridColumnLayout layOutGridColumns(double areaWidth, double gridWidth, int dataColumns, int headerUnits,
                                   const ColumnWidthReadBack& readBack)
{
    const auto reported = [&readBack](int units) { return readBack ? readBack(units) : units; };
    constexpr double unitsPerPixel = WidthUnitsPerPixel;

    int units = 0;
    if (dataColumns > 0) {
        // Multiplying before dividing keeps exact halves (573.5) exact, so halves-to-even decides them.
        const double room = gridWidth - headerUnits / unitsPerPixel - ScrollBarRoom;
        units = std::max(0, static_cast<int>(roundHalfEven(room * unitsPerPixel / dataColumns)));
        if (gridWidth < reported(units) / unitsPerPixel * dataColumns + HeaderColumnPixels + ScrollBarRoom)
            units = std::max(0, units - WidthUnitsPerPixel);
    }

    GridColumnLayout layout;
    layout.columnUnits = units;
    const double columnsWidth = double(reported(units)) * std::max(0, dataColumns) + reported(HeaderColumnUnits);
    layout.gridWidth = columnsWidth / unitsPerPixel + ScrollBarRoom;
    layout.gridLeft = (areaWidth - layout.gridWidth) / 2.0;
    return layout;
}
