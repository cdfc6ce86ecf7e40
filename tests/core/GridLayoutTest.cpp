#include "stage/GridLayout.h"
#include "stage/StageLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A grid that keeps whole pixels and reports the width it really gave a column.
int wholePixelReadBack(int units)
{
    return static_cast<int>(std::lround(units / 15.0)) * 15;
}

} // namespace

TEST(ColumnPixelWidths, everyEdgeLiesAtTheRoundedRunningTotal)
{
    const struct
    {
        std::vector<int> units;
        std::vector<int> pixels;
    } cases[] = {
        {{}, {}},
        // 38.27 pixels, then an edge at 75.53: both columns 38 wide, not 38 and 37.
        {{574, 559}, {38, 38}},
        {{HeaderColumnUnits, 0, 0}, {50, 0, 0}},
        // 37.27 pixels a column: now and then a column takes the pixel the others lose.
        {{HeaderColumnUnits, 559, 559, 559, 559}, {50, 37, 38, 37, 37}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(columnPixelWidths(c.units), c.pixels) << ::testing::PrintToString(c.units);

    std::vector<int> pi(31, 559);
    pi.front() = HeaderColumnUnits;
    const std::vector<int> widths = columnPixelWidths(pi);
    long long units = 0;
    int pixels = 0;
    for (std::size_t column = 0; column < pi.size(); ++column) {
        units += pi[column];
        pixels += widths[column];
        EXPECT_EQ(pixels, std::lround(units / 15.0)) << column;
    }
    EXPECT_EQ(pixels, 1168);
}

TEST(GridColumnLayout, exactGrid_sizesColumnsAndCentresGrid)
{
    const struct
    {
        double areaWidth;
        int columns;
        int units;
        double width;
        double left;
    } cases[] = {
        // 573.5 rounds to 574, which is one pixel too wide in total, so the columns lose a pixel.
        {1280, 30, 559, 1185.0, 47.5},
        {1280, 40, 430, 1213.0 + 2.0 / 3.0, (1280 - (1213.0 + 2.0 / 3.0)) / 2},
        {1280, 36, 463, 1178.2, 50.9},
        {1024, 30, 431, 929.0, 47.5},
    };
    for (const auto& c : cases) {
        const GridColumnLayout layout = layOutGridColumns(c.areaWidth, c.areaWidth - 66, c.columns);
        EXPECT_EQ(layout.columnUnits, c.units) << c.areaWidth << " / " << c.columns;
        EXPECT_NEAR(layout.gridWidth, c.width, 1e-9) << c.areaWidth << " / " << c.columns;
        EXPECT_NEAR(layout.gridLeft, c.left, 1e-9) << c.areaWidth << " / " << c.columns;
    }
}

TEST(GridColumnLayout, columnsFitGrid_afterNarrowing)
{
    for (double area = 900; area <= 1920; area += 7.5) {
        for (const int columns : {30, 36, 40}) {
            const GridColumnLayout layout = layOutGridColumns(area, area - 66, columns);
            EXPECT_LE(layout.gridWidth, area - 66 + 1e-9) << area << " / " << columns;
            EXPECT_GT(layout.gridWidth, area - 66 - 2 * columns) << area << " / " << columns;
        }
    }
}

TEST(GridColumnLayout, roundingGrid_usesWidthsAsReportedForTestAndWidth)
{
    // 430 units are reported as 29 pixels, too wide for 40 columns; 415 units are then shown as 28.
    const GridColumnLayout layout = layOutGridColumns(1280, 1214, 40, HeaderColumnUnits, wholePixelReadBack);
    EXPECT_EQ(layout.columnUnits, 415);
    EXPECT_DOUBLE_EQ(layout.gridWidth, 28.0 * 40 + 50 + 17);
    EXPECT_DOUBLE_EQ(layout.gridLeft, (1280 - 1187) / 2.0);
}

TEST(GridColumnLayout, degenerateInput_neverGivesNegativeWidths)
{
    EXPECT_EQ(layOutGridColumns(1280, 1214, 0).columnUnits, 0);
    const GridColumnLayout tiny = layOutGridColumns(60, -6, 30);
    EXPECT_EQ(tiny.columnUnits, 0);
    EXPECT_DOUBLE_EQ(tiny.gridWidth, 50 + 17);
}

TEST(StageLayout, standardWindow_placesEveryControl)
{
    const StageLayout layout = layOutStage(QSizeF(1280, 775), 30);
    EXPECT_EQ(layout.timePanelX, 595);
    EXPECT_EQ(layout.timeDisplay, QRect(664, 0, 212, 81));
    EXPECT_EQ(layout.columnUnits, 559);
    EXPECT_EQ(layout.grid, QRectF(47.5, 94, 1185, 655));
    EXPECT_EQ(layout.groupLabel, QPointF(47.5, 72));
    EXPECT_EQ(layout.finishButton, QRectF(1092.5, 34, 140, 50));
    // BACK sits 10 pixels left of FINISH.
    EXPECT_EQ(layout.backButton, QRectF(942.5, 34, 140, 50));
    EXPECT_EQ(layout.concentrationPanel, QRectF(20, 85, 1240, 665));
    EXPECT_EQ(cancelButtonRect(layout.concentrationPanel.size()), QRectF(545, 585, 150, 50));
}

TEST(StageLayout, timePanel_roundsHalvesToEven)
{
    const struct
    {
        double width;
        int x;
    } cases[] = {{1280, 595}, {1281, 596}, {1283, 596}, {1279.5, 595}, {1024, 467}};
    for (const auto& c : cases)
        EXPECT_EQ(layOutStage(QSizeF(c.width, 768), 30).timePanelX, c.x) << c.width;
}

TEST(StageLayout, passesReadBackToColumnSizing)
{
    const StageLayout layout = layOutStage(QSizeF(1280, 775), 40, wholePixelReadBack);
    EXPECT_EQ(layout.columnUnits, 415);
    EXPECT_DOUBLE_EQ(layout.grid.width(), 1187);
    EXPECT_DOUBLE_EQ(layout.finishButton.right(), layout.grid.right());
}
