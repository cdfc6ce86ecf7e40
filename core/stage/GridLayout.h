#pragma once

#include <functional>
#include <vector>

// The answer and result grids set their column widths in width units of 1/15 pixel; the header column
// is 750 units (50 pixels) wide. Both keep exactly ScrollBarWidth pixels right of their columns for an
// always-shown vertical scroll bar.
constexpr int WidthUnitsPerPixel = 15;
constexpr int HeaderColumnUnits = 750;
constexpr int ScrollBarWidth = 17;

/// The whole-pixel widths of columns set in width units, the header column first. Every column edge
/// lies at the running total of the units rounded to a pixel, so rounding errors do not add up and the
/// columns fill the rounded total width.
std::vector<int> columnPixelWidths(const std::vector<int>& columnUnits);

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
