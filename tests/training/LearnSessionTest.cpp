#include "RecorderLog.h"
#include "SheetText.h"

#include "RecorderLog.h"
#include "training/LearnSession.h"
#include "training/TrainingClock.h"
#include "training/TrainingDays.h"
#include "training/TrainingItems.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// pi's first twelve digits after the point, as a short block of two rows (the second one partly used),
// then its next twelve.
const QString PiStart = QStringLiteral("141592653589");
const QString PiNext = QStringLiteral("793238462643");
const TrainingItem ShortBlock{TrainingNumber::Pi, ItemKind::Block, 1, 1, 12, 0};
const TrainingItem NextShortBlock{TrainingNumber::Pi, ItemKind::Block, 2, 13, 24, 0};

class LearnSessionTest : public testing::Test
{
protected:
    LearnSession& start(std::map<QString, QString> notes = {})
    {
        m_session.emplace(std::vector{ShortBlock, NextShortBlock}, std::move(notes), m_clock, m_log);
        return *m_session;
    }

    // Types `digits` one by one into the cell the session asks next, `msPerDigit` apart.
    void type(const QString& digits, qint64 msPerDigit = 700)
    {
        for (const QChar digit : digits) {
            m_clock.advanceMs(msPerDigit);
            const std::optional<GridCell> cell = m_session->nextCell();
            ASSERT_TRUE(cell.has_value()) << "no recall under way";
            m_session->enterText(cell->row, cell->column, QString(digit));
        }
    }

    QString sheetText() const { return ::sheetText(m_session->sheet()); }

    FakeTrainingClock m_clock{QDateTime(QDate(2026, 3, 2), QTime(12, 0), Qt::UTC)};
    RecorderLog m_log;
    std::optional<LearnSession> m_session;
};

} // namespace

TEST_F(LearnSessionTest, blockShownThenHiddenAndRecalledWhole_isScheduledAsAGoodFirstReview)
{
    LearnSession& session = start();
    EXPECT_EQ(session.phase(), LearnSession::Phase::Showing);
    EXPECT_EQ(session.sheet().rowCount(), 2);
    EXPECT_EQ(session.sheet().columnCount(), LearnSession::Columns);
    EXPECT_EQ(sheetText(), PiStart + QStringLiteral("________"));
    EXPECT_FALSE(session.mayOpen(1, 1)) << "nothing is typed over the digits shown";

    // The competitor looks at the block for a minute: the session's times count from its showing.
    m_clock.advanceMs(60'000);
    ASSERT_TRUE(session.hide());
    EXPECT_EQ(session.phase(), LearnSession::Phase::Recalling);
    EXPECT_EQ(sheetText(), QString(20, u'_'));
    ASSERT_EQ(m_log.sessions.size(), 1u);
    EXPECT_EQ(m_log.sessions[0].activity, TrainingActivity::Learn);
    EXPECT_EQ(m_log.sessions[0].firstPosition, 1);
    EXPECT_EQ(m_log.sessions[0].startedUtc, QDateTime(QDate(2026, 3, 2), QTime(12, 0), Qt::UTC));

    type(PiStart);
    EXPECT_EQ(session.phase(), LearnSession::Phase::Learned);
    EXPECT_EQ(sheetText(), PiStart + QStringLiteral("________"));
    ASSERT_EQ(m_log.digits.size(), 12u);
    EXPECT_EQ(m_log.digits.front(), (TypedDigit{41, 1, 1, 1, 1, 60'700}));
    EXPECT_EQ(m_log.digits.back(), (TypedDigit{41, 12, 12, 9, 9, 60'000 + 12 * 700}));

    ASSERT_EQ(m_log.reviews.size(), 1u);
    const ItemReview& review = m_log.reviews[0];
    EXPECT_EQ(review.item, ShortBlock);
    EXPECT_EQ(review.rating, Rating::Good);
    EXPECT_EQ(review.sessionId, 41);
    EXPECT_EQ(review.schedule.reps, 1);
    EXPECT_EQ(review.schedule.lapses, 0);
    const int today = trainingDay(m_clock.nowUtc());
    EXPECT_EQ(review.schedule.lastReviewDay, today);
    // FSRS's initial stability for Good is 2.3065 days: the next review comes two days later.
    EXPECT_EQ(review.schedule.dueDay, today + 2);
    EXPECT_EQ(session.ending()->rating, Rating::Good);
    EXPECT_EQ(session.ending()->intervalDays, 2);

    ASSERT_TRUE(session.next());
    EXPECT_EQ(session.phase(), LearnSession::Phase::Showing);
    EXPECT_EQ(*session.block(), NextShortBlock);
    EXPECT_EQ(sheetText(), PiNext + QStringLiteral("________"));
}

TEST_F(LearnSessionTest, wrongDigit_showsTheRightOneAndEndsTheRecallUnscheduled)
{
    LearnSession& session = start();
    session.hide();
    type(QStringLiteral("14159"));
    type(QStringLiteral("7")); // the sixth digit is 2
    EXPECT_EQ(session.phase(), LearnSession::Phase::Failed);
    ASSERT_TRUE(session.ending().has_value());
    EXPECT_EQ(session.ending()->cell, (GridCell{1, 6}));
    EXPECT_EQ(session.ending()->position, 6);
    EXPECT_EQ(session.ending()->expected, u'2');
    EXPECT_EQ(session.ending()->typed, u'7');
    EXPECT_EQ(session.ending()->rating, Rating::Again);
    EXPECT_EQ(sheetText(), QStringLiteral("141592") + QString(14, u'_'));
    // The wrong keystroke is kept as typed.
    ASSERT_EQ(m_log.digits.size(), 6u);
    EXPECT_EQ(m_log.digits.back().expected, 2);
    EXPECT_EQ(m_log.digits.back().typed, 7);
    EXPECT_TRUE(m_log.reviews.empty());

    // Nothing more is taken in until the block is shown again.
    EXPECT_EQ(session.nextCell(), std::nullopt);
    session.enterText(1, 7, QStringLiteral("6"));
    EXPECT_FALSE(session.hint());
    EXPECT_EQ(m_log.digits.size(), 6u);

    ASSERT_TRUE(session.next());
    EXPECT_EQ(session.phase(), LearnSession::Phase::Showing);
    EXPECT_EQ(*session.block(), ShortBlock);
    EXPECT_EQ(sheetText(), PiStart + QStringLiteral("________"));
    // The same session goes on: the next recall's keystrokes number on.
    session.hide();
    type(QStringLiteral("1"));
    EXPECT_EQ(m_log.sessions.size(), 1u);
    EXPECT_EQ(m_log.digits.back().seq, 7);
}

TEST_F(LearnSessionTest, hint_showsTheNextDigitAndCountsAsAFailure)
{
    LearnSession& session = start();
    session.hide();
    type(QStringLiteral("1415"));
    ASSERT_TRUE(session.hint());
    EXPECT_EQ(session.phase(), LearnSession::Phase::Failed);
    EXPECT_EQ(session.ending()->cell, (GridCell{1, 5}));
    EXPECT_EQ(session.ending()->expected, u'9');
    EXPECT_TRUE(session.ending()->typed.isNull());
    EXPECT_EQ(sheetText(), QStringLiteral("14159") + QString(15, u'_'));
    // The hint is not a digit typed: the log keeps only what the competitor typed.
    EXPECT_EQ(m_log.digits.size(), 4u);
    EXPECT_TRUE(m_log.reviews.empty());

    // Even a hint on the last digit, after eleven right ones, leaves the block unlearned.
    session.next();
    session.hide();
    type(PiStart.left(11));
    ASSERT_TRUE(session.hint());
    EXPECT_EQ(session.phase(), LearnSession::Phase::Failed);
    EXPECT_TRUE(m_log.reviews.empty());
}

TEST_F(LearnSessionTest, textsThatAreNotTheNextDigit_changeNothing)
{
    LearnSession& session = start();
    session.enterText(1, 1, QStringLiteral("1")); // while the block is shown
    session.hide();
    const struct
    {
        const char* what;
        GridCell cell;
        QString text;
    } cases[] = {
        {"a later cell", {1, 2}, QStringLiteral("4")}, {"a cell past the block", {2, 3}, QStringLiteral("4")},
        {"an empty text", {1, 1}, QString()},          {"two digits", {1, 1}, QStringLiteral("14")},
        {"a letter", {1, 1}, QStringLiteral("x")},     {"another script's digit", {1, 1}, QStringLiteral("\u0661")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        session.enterText(c.cell.row, c.cell.column, c.text);
        EXPECT_TRUE(m_log.digits.empty());
        EXPECT_EQ(sheetText(), QString(20, u'_'));
        EXPECT_EQ(session.nextCell(), (GridCell{1, 1}));
    }
    EXPECT_TRUE(session.mayOpen(1, 1));
    EXPECT_FALSE(session.mayOpen(1, 2));
}

TEST_F(LearnSessionTest, sessionStartsAtTheFirstRecallAndEndsOnce)
{
    {
        LearnSession& looked = start();
        m_clock.advanceMs(5000);
        looked.finish();
        EXPECT_TRUE(m_log.sessions.empty()) << "a block only looked at makes no session";
        EXPECT_TRUE(m_log.finished.empty());
    }
    LearnSession& session = start();
    m_clock.advanceMs(30'000);
    session.hide();
    type(QStringLiteral("14"), 1000);
    session.finish();
    session.finish();
    ASSERT_EQ(m_log.finished.size(), 1u);
    EXPECT_EQ(m_log.finished[0].first, 41);
    EXPECT_DOUBLE_EQ(m_log.finished[0].second, 32.0);
    EXPECT_EQ(session.phase(), LearnSession::Phase::Done);
    session.enterText(1, 3, QStringLiteral("1"));
    EXPECT_EQ(m_log.digits.size(), 2u);
}

TEST_F(LearnSessionTest, notes_areKeptPerBlockAndShownAgainWithIt)
{
    LearnSession& session = start({{QStringLiteral("pi/block/2"), QStringLiteral("a swan on a drum")}});
    EXPECT_EQ(session.note(), QString());
    session.setNote(QStringLiteral("a lighthouse"));
    session.setNote(QStringLiteral("a lighthouse")); // unchanged: not written again
    ASSERT_EQ(m_log.notes.size(), 1u);
    EXPECT_EQ(m_log.notes[0], (std::pair{QStringLiteral("pi/block/1"), QStringLiteral("a lighthouse")}));

    session.hide();
    type(QStringLiteral("0"));
    EXPECT_EQ(session.phase(), LearnSession::Phase::Failed);
    EXPECT_EQ(session.note(), QStringLiteral("a lighthouse"));

    session.next();
    session.hide();
    type(PiStart);
    session.next();
    EXPECT_EQ(session.note(), QStringLiteral("a swan on a drum"));
    session.setNote(QString());
    EXPECT_EQ(m_log.notes.back(), (std::pair{QStringLiteral("pi/block/2"), QString()}));
    EXPECT_EQ(session.note(), QString());
}

TEST_F(LearnSessionTest, lastBlockLearned_leavesNothingToDo)
{
    m_session.emplace(std::vector{ShortBlock}, std::map<QString, QString>{}, m_clock, m_log);
    m_session->hide();
    type(PiStart);
    ASSERT_TRUE(m_session->next());
    EXPECT_EQ(m_session->phase(), LearnSession::Phase::Done);
    EXPECT_EQ(m_session->block(), nullptr);
    EXPECT_FALSE(m_session->hide());
    EXPECT_FALSE(m_session->next());

    LearnSession nothing({}, {}, m_clock, m_log);
    EXPECT_EQ(nothing.phase(), LearnSession::Phase::Done);
    EXPECT_EQ(nothing.sheet().rowCount(), 0);
}

TEST(LearnBlocks, blocksToLearn_skipLearnedOnesAndStartWhereAsked)
{
    const std::vector<TrainingItem> fromStart = blocksToLearn(TrainingNumber::E, {1, 2, 4});
    ASSERT_EQ(fromStart.size(), 97u);
    EXPECT_EQ(fromStart[0].index, 3);
    EXPECT_EQ(fromStart[1].index, 5);

    // Digit 1250 is in block 13; the blocks before it wait.
    const std::vector<TrainingItem> fromMiddle = blocksToLearn(TrainingNumber::Sqrt2, {13}, 1250);
    ASSERT_FALSE(fromMiddle.empty());
    EXPECT_EQ(fromMiddle[0].index, 14);

    const std::vector<TrainingItem> lastOfPi = blocksToLearn(TrainingNumber::Pi, {}, 32767);
    ASSERT_EQ(lastOfPi.size(), 1u);
    EXPECT_EQ(lastOfPi[0].digitCount(), 67);
    EXPECT_TRUE(blocksToLearn(TrainingNumber::Pi, {328}, 32767).empty());
}
