#include "stage/GroupHighlight.h"

#include <gtest/gtest.h>

TEST(CurrentGroup, examples_giveNumberRowAndColumns)
{
    const struct
    {
        int digitsPerRow, groupSize, row, column;
        int number, groupRow, first, last;
    } cases[] = {
        {30, 5, 3, 12, 15, 3, 11, 15},
        {30, 5, 1, 1, 1, 1, 1, 5},
        {30, 5, 1, 30, 6, 1, 26, 30},
        // Groups of one: the group number is the digit index, only the cell itself is highlighted.
        {30, 1, 2, 4, 34, 2, 4, 4},
        {40, 1, 819, 40, 32760, 819, 40, 40},
        // Groups of a whole row: the group number is the row number.
        {30, 30, 7, 19, 7, 7, 1, 30},
        {36, 6, 2, 1, 7, 2, 1, 6},
        {40, 8, 4, 33, 20, 4, 33, 40},
    };
    for (const auto& c : cases) {
        const auto group = currentGroup(c.digitsPerRow, c.groupSize, c.row, c.column);
        ASSERT_TRUE(group.has_value());
        EXPECT_EQ(group->number, c.number) << c.row << "," << c.column;
        EXPECT_EQ(group->row, c.groupRow) << c.row << "," << c.column;
        EXPECT_EQ(group->firstColumn, c.first) << c.row << "," << c.column;
        EXPECT_EQ(group->lastColumn, c.last) << c.row << "," << c.column;
    }
}

TEST(CurrentGroup, everyCellOfEveryAllowedSize_liesInItsOwnGroup)
{
    for (const int digitsPerRow : {30, 36, 40}) {
        for (int groupSize = 1; groupSize <= digitsPerRow; ++groupSize) {
            if (digitsPerRow % groupSize != 0)
                continue;
            int previous = 0;
            for (int row = 1; row <= 3; ++row) {
                for (int column = 1; column <= digitsPerRow; ++column) {
                    const auto group = currentGroup(digitsPerRow, groupSize, row, column);
                    ASSERT_TRUE(group.has_value());
                    EXPECT_EQ(group->row, row);
                    EXPECT_LE(group->firstColumn, column);
                    EXPECT_GE(group->lastColumn, column);
                    EXPECT_EQ(group->lastColumn - group->firstColumn + 1, groupSize);
                    // Numbers run on without gaps, left to right and row after row.
                    EXPECT_TRUE(group->number == previous || group->number == previous + 1);
                    previous = group->number;
                }
            }
            EXPECT_EQ(previous, 3 * digitsPerRow / groupSize);
        }
    }
}

TEST(CurrentGroup, noGroupSize_givesNoGroup)
{
    EXPECT_FALSE(currentGroup(30, 0, 1, 1).has_value());
    EXPECT_FALSE(currentGroup(0, 5, 1, 1).has_value());
    EXPECT_FALSE(currentGroup(30, -5, 1, 1).has_value());
}

TEST(GroupLabelText, readsGroupNoAndNumber)
{
    EXPECT_EQ(groupLabelText(15).toStdString(), "Group No : 15");
    EXPECT_EQ(groupLabelText(1).toStdString(), "Group No : 1");
}
