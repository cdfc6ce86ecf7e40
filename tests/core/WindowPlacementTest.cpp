#include "base/WindowPlacement.h"

#include <gtest/gtest.h>

TEST(ScreenFit, onlyTheHeightDecides)
{
    const struct
    {
        int height;
        ScreenFit fit;
    } cases[] = {{700, ScreenFit::Refused},     {767, ScreenFit::Refused},  {768, ScreenFit::WholeScreen},
                 {799, ScreenFit::WholeScreen}, {800, ScreenFit::Standard}, {1440, ScreenFit::Standard}};
    for (const auto& c : cases)
        EXPECT_EQ(screenFitForHeight(c.height), c.fit) << c.height;
}

TEST(ChildScreenRect, coversAllButTheTopStrip)
{
    EXPECT_EQ(childScreenRect(QRect(100, 50, 1280, 800)), QRect(100, 75, 1280, 775));
}

TEST(CentredOnWorkArea, centresWithHalvesToEvenAndNeverNegative)
{
    // (1920 - 1280) / 2 = 320; (1040 - 800) / 2 + 40 = 160.
    EXPECT_EQ(centredOnWorkArea(QRect(0, 40, 1920, 1040), 1280, 800), QRect(320, 160, 1280, 800));
    // (1281 - 1280) / 2 = 0.5 rounds to 0; 2.5 rounds to 2.
    EXPECT_EQ(centredOnWorkArea(QRect(0, 0, 1281, 805), 1280, 800).topLeft(), QPoint(0, 2));
    EXPECT_EQ(centredOnWorkArea(QRect(0, 0, 1024, 700), 1280, 800).topLeft(), QPoint(0, 0));
}
