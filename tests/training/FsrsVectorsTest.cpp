// Our scheduler against ts-fsrs: tests/data/fsrs_vectors.csv holds random review histories that ts-fsrs
// (fuzz off, short-term reviews on, no learning steps) scheduled; tests/fsrs/make_vectors.mjs makes it.
#include "training/FsrsScheduler.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>
#include <vector>

namespace {

struct VectorRow
{
    int history = 0;
    double retention = 0.0;
    int day = 0;
    int rating = 0;
    int elapsedDays = 0;
    std::optional<double> retrievability;
    double stability = 0.0;
    double difficulty = 0.0;
    int intervalDays = 0;
    int reps = 0;
    int lapses = 0;
};

std::vector<VectorRow> readVectors()
{
    QFile file(QStringLiteral(KORVALIN_TEST_DATA "/fsrs_vectors.csv"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    std::vector<VectorRow> rows;
    bool header = true;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (header) {
            header = false;
            continue;
        }
        const QStringList f = line.split(u',');
        if (f.size() != 11)
            return {};
        VectorRow row;
        row.history = f[0].toInt();
        row.retention = f[1].toDouble();
        row.day = f[2].toInt();
        row.rating = f[3].toInt();
        row.elapsedDays = f[4].toInt();
        if (!f[5].isEmpty())
            row.retrievability = f[5].toDouble();
        row.stability = f[6].toDouble();
        row.difficulty = f[7].toDouble();
        row.intervalDays = f[8].toInt();
        row.reps = f[9].toInt();
        row.lapses = f[10].toInt();
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(FsrsVectors, everyReviewOfEveryHistory_matchesTsFsrs)
{
    const std::vector<VectorRow> rows = readVectors();
    ASSERT_GT(rows.size(), 1000u) << "tests/data/fsrs_vectors.csv missing or malformed";

    // Every history runs on our own state from its first review on, as the program would schedule it.
    std::map<int, std::optional<ItemSchedule>> items;
    int sameDayReviews = 0;
    for (const VectorRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "history " << row.history << ", day " << row.day);
        FsrsParameters parameters;
        parameters.desiredRetention = row.retention;
        const FsrsScheduler scheduler(parameters);
        std::optional<ItemSchedule>& item = items[row.history];
        if (item) {
            ASSERT_EQ(row.day - item->lastReviewDay, row.elapsedDays);
        }
        sameDayReviews += item && row.elapsedDays == 0 ? 1 : 0;

        const ReviewOutcome outcome = scheduler.review(item, row.day, static_cast<Rating>(row.rating));
        ASSERT_EQ(outcome.retrievability.has_value(), row.retrievability.has_value());
        if (row.retrievability) {
            EXPECT_NEAR(*outcome.retrievability, *row.retrievability, 1e-6);
        }
        // ts-fsrs keeps 8 decimals of R and of its curve's factor, which moves a stability of thousands of
        // days by parts in 10^8; stability is compared to 1e-6 of its size (of 1 day below one day).
        EXPECT_NEAR(outcome.schedule.memory.stability, row.stability, 1e-6 * std::max(1.0, row.stability));
        EXPECT_NEAR(outcome.schedule.memory.difficulty, row.difficulty, 1e-6);
        EXPECT_EQ(outcome.intervalDays, row.intervalDays);
        EXPECT_EQ(outcome.schedule.dueDay, row.day + row.intervalDays);
        EXPECT_EQ(outcome.schedule.reps, row.reps);
        EXPECT_EQ(outcome.schedule.lapses, row.lapses);
        item = outcome.schedule;
    }
    EXPECT_GT(sameDayReviews, 100);
}
