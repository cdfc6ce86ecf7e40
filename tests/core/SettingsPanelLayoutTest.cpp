#include "settings/SettingsPanelLayout.h"

#include <gtest/gtest.h>

namespace {
const std::array<QSize, 6> Labels = {QSize(140, 20), QSize(230, 20), QSize(300, 20),
                                     QSize(150, 20), QSize(180, 20), QSize(220, 20)};
const std::array<QSize, 6> Lists = {QSize(210, 24), QSize(140, 24), QSize(140, 24),
                                    QSize(140, 24), QSize(140, 24), QSize(140, 24)};
} // namespace

TEST(SettingsPanelLayout, startButtonSitsCentredAboveTheBottom)
{
    const auto layout = layOutSettingsPanel(QSize(750, 265), Labels, Lists);
    // (750 - 175) / 2 = 287.5, which rounds to the even 288.
    EXPECT_EQ(layout.start, QRect(288, 210, 175, 45));
}

TEST(SettingsPanelLayout, labelsStackUpwardsAndEndOnTheCentreLine)
{
    const auto layout = layOutSettingsPanel(QSize(750, 265), Labels, Lists);
    int below = layout.start.top();
    for (int row = 5; row >= 0; --row) {
        const QRect label = layout.labels[std::size_t(row)];
        EXPECT_EQ(label.left() + label.width(), 375) << row;
        EXPECT_EQ(label.top(), below - label.height() - 13) << row;
        below = label.top();
    }
    EXPECT_EQ(layout.labels[0].top(), 210 - 6 * 33);
}

TEST(SettingsPanelLayout, listsStartRightOfTheCentreLineAndSitHigher)
{
    const auto layout = layOutSettingsPanel(QSize(750, 265), Labels, Lists);
    for (std::size_t row = 0; row < 6; ++row) {
        EXPECT_EQ(layout.lists[row].left(), 390) << row;
        EXPECT_EQ(layout.lists[row].top(), layout.labels[row].top() - 4) << row;
        EXPECT_EQ(layout.lists[row].size(), Lists[row]) << row;
    }
}
