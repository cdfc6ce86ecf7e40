#include "training/TrainingItems.h"

#include <gtest/gtest.h>

#include <set>

TEST(TrainingItems, eachNumber_isCutIntoBlocksAndTheJunctionsBetweenThem)
{
    const struct
    {
        TrainingNumber number;
        int blocks;
        int lastBlockFirst;
        int lastBlockLast;
    } cases[] = {
        {TrainingNumber::Sqrt2, 100, 9901, 10000},
        {TrainingNumber::Pi, 328, 32701, 32767},
        {TrainingNumber::E, 100, 9901, 10000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(numberName(c.number).toStdString());
        const std::vector<TrainingItem> items = itemsOf(c.number);
        ASSERT_EQ(items.size(), std::size_t(2 * c.blocks - 1));
        int nextFirst = 1;
        for (int index = 1; index <= c.blocks; ++index) {
            const TrainingItem& block = items[std::size_t(index - 1)];
            EXPECT_EQ(block.kind, ItemKind::Block);
            EXPECT_EQ(block.index, index);
            EXPECT_EQ(block.firstPosition, nextFirst);
            EXPECT_EQ(block.cueLength, 0);
            if (index < c.blocks) {
                EXPECT_EQ(block.digitCount(), 100);
            }
            nextFirst = block.lastPosition + 1;
        }
        EXPECT_EQ(items[std::size_t(c.blocks - 1)].firstPosition, c.lastBlockFirst);
        EXPECT_EQ(items[std::size_t(c.blocks - 1)].lastPosition, c.lastBlockLast);
        for (int index = 1; index < c.blocks; ++index) {
            const TrainingItem& junction = items[std::size_t(c.blocks + index - 1)];
            const TrainingItem& before = items[std::size_t(index - 1)];
            const TrainingItem& after = items[std::size_t(index)];
            EXPECT_EQ(junction.kind, ItemKind::Junction);
            EXPECT_EQ(junction.index, index);
            // The last 5 digits of one block cue the first 5 of the next.
            EXPECT_EQ(junction.cueFirstPosition(), before.lastPosition - 4);
            EXPECT_EQ(junction.cueLength, 5);
            EXPECT_EQ(junction.firstPosition, after.firstPosition);
            EXPECT_EQ(junction.lastPosition, after.firstPosition + 4);
        }
    }
    EXPECT_EQ(allTrainingItems().size(), std::size_t(199 + 655 + 199));
}

TEST(TrainingItems, shortNumbers_keepTheLastBlockShort)
{
    const struct
    {
        int digits;
        int blocks;
        int lastBlockDigits;
        int lastJunctionDigits;
    } cases[] = {
        {0, 0, 0, 0}, {5, 1, 5, 0}, {100, 1, 100, 0}, {101, 2, 1, 1}, {203, 3, 3, 3}, {250, 3, 50, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.digits);
        const std::vector<TrainingItem> items = itemsFor(TrainingNumber::E, c.digits);
        EXPECT_EQ(blockCount(c.digits), c.blocks);
        ASSERT_EQ(items.size(), std::size_t(std::max(0, 2 * c.blocks - 1)));
        if (c.blocks > 0) {
            EXPECT_EQ(items[std::size_t(c.blocks - 1)].digitCount(), c.lastBlockDigits);
            EXPECT_EQ(items[std::size_t(c.blocks - 1)].lastPosition, c.digits);
        }
        if (c.blocks > 1) {
            EXPECT_EQ(items.back().digitCount(), c.lastJunctionDigits);
            EXPECT_LE(items.back().lastPosition, c.digits);
        }
    }
}

TEST(TrainingItems, ids_areUniqueAndNameTheirItem)
{
    std::set<QString> ids;
    for (const TrainingItem& item : allTrainingItems()) {
        const QString id = item.id();
        EXPECT_TRUE(ids.insert(id).second) << id.toStdString();
        EXPECT_EQ(itemForId(id), item) << id.toStdString();
    }
    EXPECT_EQ(itemsOf(TrainingNumber::Pi)[11].id(), QStringLiteral("pi/block/12"));
    EXPECT_EQ(itemsOf(TrainingNumber::Sqrt2)[100 + 11].id(), QStringLiteral("sqrt2/junction/12"));
    EXPECT_EQ(itemForId(u"e/junction/7")->firstPosition, 701);
}

TEST(TrainingItems, malformedOrOutOfRangeIds_nameNoItem)
{
    const char16_t* ids[] = {
        u"",
        u"pi",
        u"pi/block",
        u"pi/block/",
        u"pi/block/0",
        u"pi/block/329",
        u"pi/junction/328",
        u"e/block/101",
        u"sqrt2/junction/100",
        u"tau/block/1",
        u"Pi/block/1",
        u"pi/Block/1",
        u"pi/block/01",
        u"pi/block/+1",
        u"pi/block/-1",
        u"pi/block/ 1",
        u"pi/block/1/",
        u"pi/block/1x",
    };
    for (const char16_t* id : ids) {
        SCOPED_TRACE(QString::fromUtf16(id).toStdString());
        EXPECT_EQ(itemForId(id), std::nullopt);
    }
    EXPECT_TRUE(itemForId(u"pi/block/328"));
    EXPECT_TRUE(itemForId(u"pi/junction/327"));
}

TEST(TrainingItems, namesOfNumbersAndKinds_areTheStoredOnes)
{
    EXPECT_EQ(numberName(TrainingNumber::Sqrt2), QStringLiteral("sqrt2"));
    EXPECT_EQ(numberName(TrainingNumber::Pi), QStringLiteral("pi"));
    EXPECT_EQ(numberName(TrainingNumber::E), QStringLiteral("e"));
    for (const TrainingNumber number : AllTrainingNumbers)
        EXPECT_EQ(numberFromName(numberName(number)), number);
    EXPECT_EQ(numberFromName(u"PI"), std::nullopt);
    EXPECT_EQ(kindName(ItemKind::Block), QStringLiteral("block"));
    EXPECT_EQ(kindName(ItemKind::Junction), QStringLiteral("junction"));
    EXPECT_TRUE(numberDigits(TrainingNumber::E).startsWith(QStringLiteral("71828")));
    EXPECT_TRUE(numberDigits(TrainingNumber::Sqrt2).startsWith(QStringLiteral("41421")));
    EXPECT_TRUE(numberDigits(TrainingNumber::Pi).startsWith(QStringLiteral("14159")));
}
