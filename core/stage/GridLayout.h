#pragma once

#include <functional>

// Grid column widths are set in width units of 1/15 pixel.
constexpr int WidthUnitsPerPixel = 15;
constexpr int HeaderColumnUnits = 750;
// Room kept right of the columns for the vertical scroll bar.
constexpr double ScrollBarRoom = 17.0;

// The width, in units, that a grid reports for a column set to @p units. A grid that keeps whole
// pixels reports a rounded width; the narrowing test and the final grid width use the reported one.
using ColumnWidthReadBack = std::function<int(int units)>;

struct GridColumnLayout
{
    int columnUnits = 0; // every data column
    double gridWidth = 0.0;
    double gridLeft = 0.0;
};

/// Sizes the data columns of an answer or result grid to fill @p gridWidth pixels and shrinks the grid
/// to its columns plus the scroll bar, centred in an area @p areaWidth pixels wide. @p headerUnits is
/// the header column's current width; an empty @p readBack reports widths exactly as set.
GridColumnLayout layOutGridColumns(double areaWidth, double gridWidth, int dataColumns,
                                   int headerUnits = HeaderColumnUnits, const ColumnWidthReadBack& readBack = {});
