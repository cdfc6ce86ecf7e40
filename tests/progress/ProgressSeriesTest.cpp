// What the progress views count from a small history: the error heatmap, the pace, the known digits
// over time, the calendar and their CSV.
#include "training/progress/ErrorHeatmap.h"
#include "training/progress/KnownDigits.h"
#include "training/progress/PaceSeries.h"
#include "training/progress/ProgressCsv.h"
#include "training/progress/TrainingCalendar.h"

#include <QDate>

#include <gtest/gtest.h>

namespace {

constexpr int Day = 2461100;

struct Typed
{
    int position;
    int typed;
    int gapMs;
};

// A history built session by session; the digit expected is the number's own.
class HistoryBuilder
{
public:
    HistoryBuilder& session(TrainingActivity activity, TrainingNumber number, int day, std::vector<Typed> keys,
                            int firstPosition = 1, double seconds = 60.0)
    {
        const auto id = qint64(m_history.sessions.size() + 1);
        m_history.sessions.push_back({id, activity, number, firstPosition, day, seconds, int(keys.size()), 0});
        qint32 ms = 0;
        for (const Typed& key : keys) {
            ms += key.gapMs;
            const int expected = numberDigits(number).at(key.position - 1).digitValue();
            m_history.keystrokes.push_back(
                {qint32(id), ms, quint16(key.position), quint8(expected), quint8(key.typed)});
        }
        return *this;
    }
    // Typed right from `first` on, `count` digits a second apart, then one wrong digit when asked.
    HistoryBuilder& recital(TrainingActivity activity, TrainingNumber number, int day, int count, bool thenWrong)
    {
        std::vector<Typed> keys;
        const QString& digits = numberDigits(number);
        for (int position = 1; position <= count; ++position)
            keys.push_back({position, digits.at(position - 1).digitValue(), 1000});
        if (thenWrong)
            keys.push_back({count + 1, (digits.at(count).digitValue() + 1) % 10, 1000});
        return session(activity, number, day, keys);
    }
    HistoryBuilder& review(const char* itemId, int day)
    {
        m_history.reviews.push_back({QString::fromLatin1(itemId), day, 3});
        return *this;
    }
    const ProgressHistory& history() const { return m_history; }

private:
    ProgressHistory m_history;
};

int digitOf(TrainingNumber number, int position)
{
    return numberDigits(number).at(position - 1).digitValue();
}

} // namespace

TEST(ErrorHeatmap, aSmallLog_countsErrorsWrongDigitsAndSlowRecallsAtEachPosition)
{
    using enum TrainingActivity;
    const TrainingNumber pi = TrainingNumber::Pi;
    // pi: 1415926535...; recall gaps 1, 1, 1, 5 and 1 s and e's one of 1 s: a median of 1 s, slow past 2.5 s.
    HistoryBuilder builder;
    builder.session(Review, pi, Day, {{1, 1, 1000}, {2, 7, 1000}, {3, 1, 1000}, {4, 5, 5000}, {5, 9, 1000}})
        .session(Learn, pi, Day, {{1, 1, 20000}, {2, 7, 9000}, {3, 0, 9000}})
        .session(Review, TrainingNumber::E, Day, {{1, 0, 1000}});
    ProgressHistory history = builder.history();
    // Neither a keystroke of a session the history does not hold nor one past the number's end counts.
    history.keystrokes.push_back({99, 1000, 1, 1, 3});
    history.keystrokes.push_back({1, 90000, 40000, 0, 1});

    const ErrorHeatmap map = errorHeatmap(history, pi);
    ASSERT_EQ(map.positions.size(), 32767u);
    EXPECT_DOUBLE_EQ(map.medianSeconds, 1.0);
    EXPECT_DOUBLE_EQ(map.slowSeconds, 2.5);
    const struct
    {
        int position;
        int typed;
        int errors;
        int slow;
        std::vector<std::pair<int, int>> wrongDigits;
    } cells[] = {
        {1, 2, 0, 0, {}},       // the learn session's 20 s counts no slow digit
        {2, 2, 2, 0, {{7, 2}}}, // the same wrong 7 twice
        {3, 2, 1, 0, {{0, 1}}}, // right once, 0 once
        {4, 1, 0, 1, {}},       // 5 s in a review: slow
        {5, 1, 0, 0, {}},       // 5 is right there
        {6, 0, 0, 0, {}},       // never typed
        {32767, 0, 0, 0, {}},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(c.position);
        const PositionErrors& cell = map.at(c.position);
        EXPECT_EQ(cell.typed, c.typed);
        EXPECT_EQ(cell.errors, c.errors);
        EXPECT_EQ(cell.slow, c.slow);
        std::array<int, 10> wrong{};
        for (const auto& [digit, count] : c.wrongDigits)
            wrong[std::size_t(digit)] = count;
        EXPECT_EQ(cell.wrongDigits, wrong);
    }
    EXPECT_DOUBLE_EQ(map.at(3).errorRate(), 0.5);
    EXPECT_DOUBLE_EQ(map.at(6).errorRate(), 0.0);
    // e's own map holds its wrong first digit, with the same median.
    const ErrorHeatmap e = errorHeatmap(history, TrainingNumber::E);
    EXPECT_EQ(e.positions.size(), 10000u);
    EXPECT_EQ(e.at(1).errors, 1);
    EXPECT_DOUBLE_EQ(e.medianSeconds, 1.0);
}

TEST(PaceSeries, eachDayAndBlock_getsTheMedianAndP90OfItsRecallTimes)
{
    using enum TrainingActivity;
    const TrainingNumber e = TrainingNumber::E;
    HistoryBuilder builder;
    std::vector<Typed> first;
    for (int i = 1; i <= 10; ++i)
        first.push_back({i, digitOf(e, i), i * 1000});
    builder.session(Review, e, Day, first)
        .session(Learn, e, Day, {{1, digitOf(e, 1), 60000}})
        .session(Drill, e, Day + 1, {{101, digitOf(e, 101), 2000}, {102, digitOf(e, 102), 4000}})
        .session(Recite, TrainingNumber::Pi, Day + 1, {{1, 1, 9000}});
    const PaceSeries pace = paceOverTime(builder.history(), e);

    ASSERT_EQ(pace.byDay.size(), 2u);
    EXPECT_EQ(pace.byDay[0].key, Day);
    EXPECT_EQ(pace.byDay[0].digits, 10); // the learn session's minute is learning, not pace
    EXPECT_DOUBLE_EQ(pace.byDay[0].medianSeconds, 5.0);
    EXPECT_DOUBLE_EQ(pace.byDay[0].p90Seconds, 9.0);
    EXPECT_EQ(pace.byDay[1].key, Day + 1);
    EXPECT_DOUBLE_EQ(pace.byDay[1].medianSeconds, 2.0);
    EXPECT_DOUBLE_EQ(pace.byDay[1].p90Seconds, 4.0);
    ASSERT_EQ(pace.byBlock.size(), 2u);
    EXPECT_EQ(pace.byBlock[0].key, 1);
    EXPECT_EQ(pace.byBlock[1].key, 2);
    EXPECT_DOUBLE_EQ(pace.byBlock[1].medianSeconds, 2.0);
}

TEST(KnownDigits, theReachGrowsWhenEveryBlockBeforeItIsLearned)
{
    HistoryBuilder builder;
    builder.review("pi/block/2", Day + 10)
        .review("pi/block/3", Day + 11)
        .review("pi/block/1", Day + 12)
        .review("pi/block/1", Day + 13) // a later review learns nothing new
        .review("pi/block/5", Day + 13)
        .review("pi/junction/1", Day + 14)
        .review("e/block/4", Day + 15)
        .review("pi/block/4", Day + 20);
    const KnownDigitsSeries series = knownDigitsOverTime(builder.history(), TrainingNumber::Pi);
    EXPECT_EQ(series.known, (std::vector<DayValue>{{Day + 12, 300}, {Day + 20, 500}}));
    EXPECT_TRUE(knownDigitsOverTime(builder.history(), TrainingNumber::Sqrt2).known.empty());

    HistoryBuilder last;
    for (int block = 1; block <= 328; ++block)
        last.review(qPrintable(QStringLiteral("pi/block/%1").arg(block)), Day);
    EXPECT_EQ(knownDigitsOverTime(last.history(), TrainingNumber::Pi).known, (std::vector<DayValue>{{Day, 32767}}));
}

TEST(KnownDigits, recitalsFromDigitOne_keepTheBestAndEachDaysRehearsal)
{
    using enum TrainingActivity;
    const TrainingNumber pi = TrainingNumber::Pi;
    HistoryBuilder builder;
    builder.recital(Recite, pi, Day, 40, true)
        .recital(Recite, pi, Day + 1, 30, false)  // not better
        .recital(Recite, pi, Day + 2, 120, false) // better, without an error
        .recital(Recite, TrainingNumber::E, Day + 3, 500, false)
        .recital(Review, pi, Day + 3, 500, false) // a review is no recital
        .recital(Rehearse, pi, Day + 2, 80, true)
        .recital(Rehearse, pi, Day + 2, 90, true) // the day's longer one
        .recital(Rehearse, pi, Day + 4, 10, true);
    // A recital that skips a digit scores up to the gap; one from elsewhere scores nothing.
    builder.session(Recite, pi, Day + 5, {{1, 1, 1000}, {2, 4, 1000}, {4, 5, 1000}, {5, 9, 1000}});
    builder.session(Recite, pi, Day + 6, {{501, digitOf(pi, 501), 1000}}, 501);

    const KnownDigitsSeries series = knownDigitsOverTime(builder.history(), pi);
    EXPECT_EQ(series.bestRecital, (std::vector<DayValue>{{Day, 40}, {Day + 2, 120}}));
    EXPECT_EQ(series.rehearsed, (std::vector<DayValue>{{Day + 2, 90}, {Day + 4, 10}}));
}

TEST(TrainingCalendar, eachDay_sumsTheMinutesOfTheSessionsStartedOnIt)
{
    using enum TrainingActivity;
    HistoryBuilder builder;
    builder.session(Learn, TrainingNumber::Pi, Day, {}, 1, 600.0)
        .session(Review, TrainingNumber::E, Day, {}, 1, 300.0)
        .session(Drill, TrainingNumber::Pi, Day + 3, {}, 1, 90.0);
    const std::map<int, double> minutes = minutesByDay(builder.history().sessions);
    EXPECT_EQ(minutes, (std::map<int, double>{{Day, 15.0}, {Day + 3, 1.5}}));
    EXPECT_EQ(ProgressCsv::calendar(minutes), QByteArray("date,minutes\r\n") + ProgressCsv::dateOf(Day).toLatin1() +
                                                  ",15\r\n" + ProgressCsv::dateOf(Day + 3).toLatin1() + ",1.5\r\n");
}

TEST(ProgressCsv, theHeatmap_hasOneRowPerPositionWithItsDigit)
{
    HistoryBuilder builder;
    builder.session(TrainingActivity::Review, TrainingNumber::Sqrt2, Day, {{1, 5, 1000}, {2, 1, 1000}});
    const QByteArray csv = ProgressCsv::heatmap(errorHeatmap(builder.history(), TrainingNumber::Sqrt2));
    const QList<QByteArray> lines = csv.split('\n');
    ASSERT_EQ(lines.size(), 10000 + 2); // the header, the rows and what follows the last line end
    EXPECT_EQ(lines[0], "position,expected,typed,errors,slow\r");
    // sqrt(2) = 1.4142...: a 5 typed for the 4, the 1 right.
    EXPECT_EQ(lines[1], "1,4,1,1,0\r");
    EXPECT_EQ(lines[2], "2,1,1,0,0\r");
    EXPECT_EQ(lines[10000],
              "10000," + QByteArray(1, char(numberDigits(TrainingNumber::Sqrt2).back().toLatin1())) + ",0,0,0\r");
    EXPECT_EQ(ProgressCsv::dateOf(QDate(2027, 3, 14).toJulianDay()), QStringLiteral("2027-03-14"));
}
