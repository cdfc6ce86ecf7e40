#include "results/ResultsLayout.h"

#include <gtest/gtest.h>

namespace {
struct LayoutCase
{
    double width;
    double height;
    int digitsPerRow;
    int columnUnits;
    double tableLeft;
    double tableWidth;
};

class ResultsLayoutTest : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P(ResultsLayoutTest, tableColumnsAndPlacement)
{
    const LayoutCase& c = GetParam();
    const ResultsLayout layout = layOutResults(QSizeF(c.width, c.height), c.digitsPerRow);
    EXPECT_EQ(layout.columnUnits, c.columnUnits);
    EXPECT_NEAR(layout.questionTable.left(), c.tableLeft, 0.005);
    EXPECT_NEAR(layout.questionTable.width(), c.tableWidth, 0.005);
    EXPECT_DOUBLE_EQ(layout.questionTable.top(), 168.0);
    EXPECT_DOUBLE_EQ(layout.questionTable.height(), c.height - 219.0);
    // The table always ends up centred and exactly as wide as its columns and the scroll bar.
    EXPECT_NEAR(layout.questionTable.left() * 2 + layout.questionTable.width(), c.width, 1e-9);
    EXPECT_NEAR(layout.questionTable.width(), (c.columnUnits * c.digitsPerRow + 750) / 15.0 + 17.0, 1e-9);

    EXPECT_EQ(layout.scoreTable, QRectF((c.width - 700) / 2, 50, 700, 100));
    EXPECT_EQ(layout.finishButton, QRectF((c.width - 700) / 2 + 760, 75, 150, 50));
    EXPECT_EQ(layout.explanation, QRectF(25, c.height - 40, c.width - 50, 20));
}

INSTANTIATE_TEST_SUITE_P(Windows, ResultsLayoutTest,
                         ::testing::Values(
                             // 573.5 units round to the even 574, which is one pixel too wide in all: 559.
                             LayoutCase{1280, 775, 30, 559, 47.5, 1185.0},
                             // 40 columns fit at once: 430 units.
                             LayoutCase{1280, 775, 40, 430, (1280 - 1213.0 - 2.0 / 3.0) / 2, 1213.0 + 2.0 / 3.0},
                             // 36 columns: 477.9 units round to 478, a fifth of a pixel too wide in all: 463.
                             LayoutCase{1280, 743, 36, 463, 50.9, 1178.2},
                             // 573 units fill 1213 pixels exactly, which is not too wide.
                             LayoutCase{1279, 775, 30, 573, 33.0, 1213.0}, LayoutCase{1000, 600, 36, 361, 33.3, 933.4},
                             LayoutCase{1024, 700, 30, 431, 47.5, 929.0}));

TEST(ResultsLayoutNarrowTest, tooNarrowWindow_neverGivesNegativeColumns)
{
    const ResultsLayout layout = layOutResults(QSizeF(100, 300), 40);
    EXPECT_EQ(layout.columnUnits, 0);
    EXPECT_DOUBLE_EQ(layout.questionTable.width(), 67.0);
}
} // namespace
