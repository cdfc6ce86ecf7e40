#include "training/RecitalSession.h"
#include "RecorderLog.h"
#include "training/TrainingClock.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

QString digits(TrainingNumber number, int first, int count)
{
    return numberDigits(number).mid(first - 1, count);
}

// `count` right digits from the recital's next position, then `wrong` when given (a digit other than the
// next one).
void recite(RecitalSession& session, FakeTrainingClock& clock, int count, qint64 msPerDigit = 500,
            bool thenWrong = false)
{
    const QString& all = numberDigits(session.number());
    for (int i = 0; i < count + (thenWrong ? 1 : 0); ++i) {
        clock.advanceMs(msPerDigit);
        const std::optional<GridCell> cell = session.nextCell();
        ASSERT_TRUE(cell.has_value()) << "the recital ended after " << i << " digits";
        QChar digit = all[session.nextPosition() - 1];
        if (i == count)
            digit = QChar(u'0' + (digit.digitValue() + 1) % 10);
        session.enterText(cell->row, cell->column, QString(digit));
    }
}

class RecitalSessionTest : public testing::Test
{
protected:
    FakeTrainingClock m_clock{QDateTime(QDate(2026, 3, 2), QTime(12, 0), Qt::UTC)};
    RecorderLog m_log;
};

} // namespace

TEST_F(RecitalSessionTest, recitalEnds_atTheFirstErrorTheCountOrTheNumbersEnd)
{
    const struct
    {
        const char* what;
        TrainingNumber number;
        int from;
        std::optional<int> count;
        int right;
        bool thenWrong;
        RecitalSession::Phase phase;
        int typed;
        int correct;
        int lastPosition;
    } cases[] = {
        {"an error ends it", TrainingNumber::Pi, 1, std::nullopt, 20, true, RecitalSession::Phase::Wrong, 21, 20,
         32767},
        {"an error on the first digit", TrainingNumber::E, 501, std::nullopt, 0, true, RecitalSession::Phase::Wrong, 1,
         0, 10000},
        {"the count ends it", TrainingNumber::Sqrt2, 1201, 5, 5, false, RecitalSession::Phase::Counted, 5, 5, 1205},
        {"an error on the count's last digit", TrainingNumber::Sqrt2, 1201, 5, 4, true, RecitalSession::Phase::Wrong, 5,
         4, 1205},
        {"the number's end", TrainingNumber::E, 9995, std::nullopt, 6, false, RecitalSession::Phase::Whole, 6, 6,
         10000},
        {"a count past the end stops at the end", TrainingNumber::Pi, 32760, 50, 8, false, RecitalSession::Phase::Whole,
         8, 8, 32767},
        {"still going", TrainingNumber::Pi, 100, 1000, 999, false, RecitalSession::Phase::Reciting, 999, 999, 1099},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecorderLog log;
        RecitalSession session(c.number, c.from, c.count, m_clock, log);
        EXPECT_EQ(session.lastPosition(), c.lastPosition);
        recite(session, m_clock, c.right, 500, c.thenWrong);
        EXPECT_EQ(session.phase(), c.phase);
        EXPECT_EQ(session.typed(), c.typed);
        EXPECT_EQ(session.correct(), c.correct);
        EXPECT_EQ(session.mistake().has_value(), c.phase == RecitalSession::Phase::Wrong);
        if (c.phase != RecitalSession::Phase::Reciting) {
            EXPECT_EQ(session.nextCell(), std::nullopt);
        }
        ASSERT_EQ(int(log.digits.size()), c.typed) << "every digit typed is recorded";
    }
}

TEST_F(RecitalSessionTest, wrongDigit_isKeptAsTypedAndItsCellShowsTheRightOne)
{
    RecitalSession session(TrainingNumber::Pi, 11, std::nullopt, m_clock, m_log);
    recite(session, m_clock, 3, 500, true); // 8, 9, 7 right; digit 14 is 9, typed as 0
    ASSERT_EQ(session.phase(), RecitalSession::Phase::Wrong);
    const RecitalSession::Mistake& mistake = *session.mistake();
    EXPECT_EQ(mistake.position, 14);
    EXPECT_EQ(mistake.expected, u'9');
    EXPECT_EQ(mistake.typed, u'0');
    EXPECT_EQ(mistake.cell, (GridCell{1, 4}));
    EXPECT_EQ(session.sheet().cellText(1, 4), QStringLiteral("9"));
    ASSERT_EQ(m_log.digits.size(), 4u);
    EXPECT_EQ(m_log.digits.back(), (TypedDigit{41, 4, 14, 9, 0, 2000}));

    // Nothing more is taken in.
    session.enterText(1, 5, QStringLiteral("3"));
    EXPECT_EQ(m_log.digits.size(), 4u);
    EXPECT_EQ(session.typed(), 4);
}

TEST_F(RecitalSessionTest, pace_isSecondsPerDigitFromTheStartToTheLastDigit)
{
    const struct
    {
        const char* what;
        qint64 waitBeforeFirst;
        std::vector<qint64> gaps;
        std::optional<double> secondsPerDigit;
    } cases[] = {
        {"nothing typed", 0, {}, std::nullopt},
        {"steady", 0, {500, 500, 500, 500}, 0.5},
        {"a slow start counts", 3000, {1000, 1000, 1000}, 2.0},
        {"one long pause", 0, {400, 400, 5200}, 2.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecorderLog log;
        RecitalSession session(TrainingNumber::E, 1, std::nullopt, m_clock, log);
        m_clock.advanceMs(c.waitBeforeFirst);
        for (const qint64 gap : c.gaps)
            recite(session, m_clock, 1, gap);
        ASSERT_EQ(session.secondsPerDigit().has_value(), c.secondsPerDigit.has_value());
        if (c.secondsPerDigit) {
            EXPECT_DOUBLE_EQ(*session.secondsPerDigit(), *c.secondsPerDigit);
        }
    }
}

TEST_F(RecitalSessionTest, window_showsTheRowsAroundThePositionAndMovesOnPastItsLastRow)
{
    const struct
    {
        const char* what;
        int from;
        int windowFirst;
        int rows;
        GridCell firstCell;
    } cases[] = {
        {"from the first digit", 1, 1, RecitalSession::WindowRows, {1, 1}},
        {"from within a row", 1205, 1201, RecitalSession::WindowRows, {1, 5}},
        {"far into pi", 32000, 31991, RecitalSession::WindowRows, {1, 10}},
        {"near pi's end: the window ends with the number", 32745, 32741, 3, {1, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecitalSession session(TrainingNumber::Pi, c.from, std::nullopt, m_clock, m_log);
        EXPECT_EQ(session.windowFirstPosition(), c.windowFirst);
        EXPECT_EQ(session.sheet().rowCount(), c.rows);
        EXPECT_EQ(session.nextCell(), c.firstCell);
        // The row's digits before the first one asked are shown, the rest is empty.
        for (int column = 1; column <= RecitalSession::Columns; ++column) {
            const QString expected =
                column < c.firstCell.column ? digits(TrainingNumber::Pi, c.windowFirst + column - 1, 1) : QString();
            EXPECT_EQ(session.sheet().cellText(1, column), expected) << column;
        }
    }

    RecitalSession session(TrainingNumber::Pi, 1205, std::nullopt, m_clock, m_log);
    const int version = session.windowVersion();
    const int lastInWindow = 1201 + RecitalSession::WindowRows * RecitalSession::Columns - 1;
    recite(session, m_clock, lastInWindow - 1205);
    EXPECT_EQ(session.windowVersion(), version) << "the window's last digit is still in it";
    EXPECT_EQ(session.positionOf(*session.nextCell()), lastInWindow);
    recite(session, m_clock, 1);
    EXPECT_EQ(session.windowVersion(), version + 1);
    // The row just recited stays in sight, the next digit starts the row below it.
    EXPECT_EQ(session.windowFirstPosition(), lastInWindow - 9);
    EXPECT_EQ(session.nextCell(), (GridCell{2, 1}));
    EXPECT_EQ(session.sheet().cellText(1, 10), digits(TrainingNumber::Pi, lastInWindow, 1));
    EXPECT_EQ(session.sheet().cellText(2, 1), QString());
    recite(session, m_clock, 1);
    EXPECT_EQ(m_log.digits.back().position, lastInWindow + 1);
    EXPECT_EQ(m_log.digits.back().typed, m_log.digits.back().expected);
}

TEST_F(RecitalSessionTest, session_isMadeAtTheFirstDigitAndItsEndWrittenOnce)
{
    RecitalSession session(TrainingNumber::Sqrt2, 301, std::nullopt, m_clock, m_log);
    m_clock.advanceMs(2000);
    EXPECT_TRUE(m_log.sessions.empty()) << "a recital nobody typed in leaves no session";
    recite(session, m_clock, 3, 1000);
    ASSERT_EQ(m_log.sessions.size(), 1u);
    EXPECT_EQ(m_log.sessions[0].activity, TrainingActivity::Recite);
    EXPECT_EQ(m_log.sessions[0].number, TrainingNumber::Sqrt2);
    EXPECT_EQ(m_log.sessions[0].firstPosition, 301);
    EXPECT_EQ(m_log.sessions[0].startedUtc, QDateTime(QDate(2026, 3, 2), QTime(12, 0), Qt::UTC));
    EXPECT_EQ(m_log.digits.front(), (TypedDigit{41, 1, 301, digits(TrainingNumber::Sqrt2, 301, 1).toInt(),
                                                digits(TrainingNumber::Sqrt2, 301, 1).toInt(), 3000}));

    m_clock.advanceMs(9000);
    session.finish();
    session.finish();
    EXPECT_EQ(session.phase(), RecitalSession::Phase::Stopped);
    ASSERT_EQ(m_log.finished.size(), 1u);
    // Its length runs to its last digit: the recital's pace is its length over its digits.
    EXPECT_EQ(m_log.finished[0], (std::pair<qint64, double>{41, 5.0}));
    session.enterText(1, 4, digits(TrainingNumber::Sqrt2, 304, 1));
    EXPECT_EQ(m_log.digits.size(), 3u);
}

TEST_F(RecitalSessionTest, textsThatAreNotTheNextDigit_changeNothing)
{
    RecitalSession session(TrainingNumber::Pi, 1, std::nullopt, m_clock, m_log);
    const struct
    {
        const char* what;
        int row;
        int column;
        QString text;
    } cases[] = {
        {"another cell", 1, 2, QStringLiteral("4")},
        {"a letter", 1, 1, QStringLiteral("x")},
        {"two digits", 1, 1, QStringLiteral("14")},
        {"nothing", 1, 1, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        session.enterText(c.row, c.column, c.text);
        EXPECT_EQ(session.typed(), 0);
        EXPECT_EQ(session.sheet().cellText(c.row, c.column), QString());
    }
    EXPECT_TRUE(m_log.digits.empty());
}
