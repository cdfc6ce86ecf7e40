#include "RecorderLog.h"
#include "SheetText.h"
#include "training/DrillPositions.h"
#include "training/DrillSession.h"
#include "training/TrainingClock.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::set<int> blockRange(int first, int last)
{
    std::set<int> blocks;
    for (int block = first; block <= last; ++block)
        blocks.insert(block);
    return blocks;
}

bool withinRuns(const std::vector<std::pair<int, int>>& runs, int first, int last)
{
    for (const auto& [runFirst, runLast] : runs) {
        if (runFirst <= first && last <= runLast)
            return true;
    }
    return false;
}

// Where `text` occurs within the learned digits, counted by plain search in each run.
int occurrencesWithinRuns(TrainingNumber number, const std::vector<std::pair<int, int>>& runs, const QString& text)
{
    int found = 0;
    for (const auto& [first, last] : runs) {
        const QString run = numberDigits(number).mid(first - 1, last - first + 1);
        for (qsizetype at = run.indexOf(text); at >= 0; at = run.indexOf(text, at + 1))
            ++found;
    }
    return found;
}

} // namespace

TEST(DrillPositionsTest, learnedBlocks_makeRunsAndCandidatesWithinThem)
{
    const struct
    {
        const char* what;
        TrainingNumber number;
        std::set<int> blocks;
        std::vector<std::pair<int, int>> runs;
    } cases[] = {
        {"nothing learned", TrainingNumber::Pi, {}, {}},
        {"one block", TrainingNumber::E, {1}, {{1, 100}}},
        {"blocks apart and together", TrainingNumber::Pi, {1, 2, 5}, {{1, 200}, {401, 500}}},
        {"pi's short last block", TrainingNumber::Pi, {327, 328}, {{32601, 32767}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DrillPositions positions(c.number, c.blocks);
        EXPECT_EQ(positions.learnedRuns(), c.runs);
        EXPECT_EQ(positions.candidateCount() > 0, !c.runs.empty());
        for (int index = 0; index < positions.candidateCount(); ++index) {
            const DrillQuestion question = positions.candidate(index);
            ASSERT_TRUE(question.cue.has_value());
            EXPECT_EQ(question.count, DrillPositions::AskedDigits);
            EXPECT_EQ(question.cue->firstPosition + question.cue->length, question.position);
            EXPECT_TRUE(
                withinRuns(c.runs, question.cue->firstPosition, question.position + DrillPositions::AskedDigits - 1))
                << "position " << question.position << ": its cue and its digits are learned";
        }
    }
    EXPECT_FALSE(DrillPositions(TrainingNumber::Pi, {}).pick(*QRandomGenerator::global()).has_value());
}

// The cue names one place: within the learned digits it occurs once (a cue from the point is read after
// the point, which names its place by itself).
TEST(DrillPositionsTest, everyCue_occursOnceWithinTheLearnedDigits)
{
    const struct
    {
        const char* what;
        TrainingNumber number;
        std::set<int> blocks;
        int step;
        int longestCue;
    } cases[] = {
        {"pi's first block", TrainingNumber::Pi, {1}, 1, 0},
        {"e's first ten blocks", TrainingNumber::E, blockRange(1, 10), 1, 0},
        {"sqrt(2) in two runs", TrainingNumber::Sqrt2, {3, 4, 5, 40, 41}, 1, 0},
        {"all of pi", TrainingNumber::Pi, blockRange(1, 328), 7, 9},
        {"all of e", TrainingNumber::E, blockRange(1, 100), 3, 8},
        {"all of sqrt(2)", TrainingNumber::Sqrt2, blockRange(1, 100), 3, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DrillPositions positions(c.number, c.blocks);
        int longest = 0;
        for (int index = 0; index < positions.candidateCount(); index += c.step) {
            const DrillQuestion question = positions.candidate(index);
            longest = std::max(longest, question.cue->length);
            if (question.cue->fromStart())
                continue;
            const QString cue = numberDigits(c.number).mid(question.cue->firstPosition - 1, question.cue->length);
            ASSERT_EQ(occurrencesWithinRuns(c.number, positions.learnedRuns(), cue), 1)
                << "position " << question.position << ", cue " << cue.toStdString();
        }
        if (c.longestCue > 0) {
            EXPECT_LE(longest, c.longestCue);
        }
    }
}

TEST(DrillPositionsTest, pick_drawsFromTheCandidatesAndASeedRepeatsIt)
{
    const DrillPositions positions(TrainingNumber::Pi, {2, 3});
    QRandomGenerator random(7);
    std::set<int> seen;
    for (int draw = 0; draw < 200; ++draw) {
        const std::optional<DrillQuestion> question = positions.pick(random);
        ASSERT_TRUE(question.has_value());
        EXPECT_GE(question->cue->firstPosition, 101);
        EXPECT_LE(question->position, 300 - DrillPositions::AskedDigits + 1);
        seen.insert(question->position);
    }
    EXPECT_GT(seen.size(), 100u) << "the picks spread over the learned digits";
    QRandomGenerator again(7);
    QRandomGenerator copy(7);
    for (int draw = 0; draw < 20; ++draw)
        EXPECT_EQ(positions.pick(again), positions.pick(copy));
}

TEST(DrillPositionsTest, positionTheCompetitorNames_asksTheDigitsThereUpToTheEnd)
{
    const DrillPositions positions(TrainingNumber::Pi, {1});
    const struct
    {
        int position;
        std::optional<DrillQuestion> question;
    } cases[] = {
        {1, DrillQuestion{1, 10, std::nullopt}},
        {5000, DrillQuestion{5000, 10, std::nullopt}}, // learned or not
        {32758, DrillQuestion{32758, 10, std::nullopt}},
        {32760, DrillQuestion{32760, 8, std::nullopt}},
        {0, std::nullopt},
        {32768, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(positions.at(c.position), c.question);
    }
}

namespace {

class DrillSessionTest : public testing::Test
{
protected:
    DrillSession& start(std::set<int> blocks = {1, 2})
    {
        m_session.emplace(DrillPositions(TrainingNumber::E, blocks), QRandomGenerator(11), m_clock, m_log);
        return *m_session;
    }

    // The question's digits, right, or with the `wrongAt`-th one (from 1) wrong.
    void answer(int count, int wrongAt = 0)
    {
        for (int i = 1; i <= count; ++i) {
            m_clock.advanceMs(800);
            const std::optional<GridCell> cell = m_session->nextCell();
            ASSERT_TRUE(cell.has_value());
            const int position = m_session->run()->nextPosition();
            QChar digit = numberDigits(TrainingNumber::E)[position - 1];
            if (i == wrongAt)
                digit = QChar(u'0' + (digit.digitValue() + 5) % 10);
            m_session->enterText(cell->row, cell->column, QString(digit));
        }
    }

    QString sheetText() const { return ::sheetText(m_session->sheet()); }

    FakeTrainingClock m_clock{QDateTime(QDate(2026, 3, 2), QTime(12, 0), Qt::UTC)};
    RecorderLog m_log;
    std::optional<DrillSession> m_session;
};

} // namespace

TEST_F(DrillSessionTest, randomQuestion_showsItsCueAndTakesTheNextTenDigits)
{
    DrillSession& session = start();
    ASSERT_EQ(session.phase(), DrillSession::Phase::Asking);
    const DrillQuestion question = *session.question();
    const Cue cue = *question.cue;
    const QString& e = numberDigits(TrainingNumber::E);
    const int cells = cue.length + 10;
    EXPECT_EQ(sheetText(), e.mid(cue.firstPosition - 1, cue.length) + QString(cells - cue.length, u'_') +
                               QString((10 - cells % 10) % 10, u'_'));
    EXPECT_EQ(session.nextCell(), (GridCell{cue.length / 10 + 1, cue.length % 10 + 1}));

    answer(10);
    EXPECT_EQ(session.phase(), DrillSession::Phase::Passed);
    EXPECT_EQ(session.answered(), 1);
    EXPECT_EQ(session.passed(), 1);
    ASSERT_EQ(m_log.sessions.size(), 1u);
    EXPECT_EQ(m_log.sessions[0].activity, TrainingActivity::Drill);
    EXPECT_EQ(m_log.sessions[0].firstPosition, question.position);
    ASSERT_EQ(m_log.digits.size(), 10u);
    EXPECT_EQ(m_log.digits.front().position, question.position);
    EXPECT_EQ(m_log.digits.back().position, question.position + 9);
    EXPECT_EQ(m_log.digits.back().ms, 8000);
}

TEST_F(DrillSessionTest, wrongDigitOrHint_endsTheQuestionAndTheNextOneGoesOnInTheSameSession)
{
    DrillSession& session = start();
    answer(4, 4);
    EXPECT_EQ(session.phase(), DrillSession::Phase::Failed);
    const RecallKeystroke& wrong = *session.run()->failure();
    EXPECT_EQ(wrong.position, session.question()->position + 3);
    const GridCell cell = session.run()->cellOf(wrong.position);
    EXPECT_EQ(session.sheet().cellText(cell.row, cell.column), QString(wrong.expected));
    EXPECT_EQ(session.nextCell(), std::nullopt);
    EXPECT_FALSE(session.hint());

    ASSERT_TRUE(session.next());
    answer(2);
    ASSERT_TRUE(session.hint());
    EXPECT_EQ(session.phase(), DrillSession::Phase::Failed);
    EXPECT_EQ(session.run()->state(), AskedDigits::State::Hinted);
    EXPECT_EQ(session.answered(), 2);
    EXPECT_EQ(session.passed(), 0);
    EXPECT_EQ(m_log.sessions.size(), 1u);
    // The hint types nothing: six digits typed in all.
    ASSERT_EQ(m_log.digits.size(), 6u);
    EXPECT_EQ(m_log.digits.back().seq, 6);
}

TEST_F(DrillSessionTest, positionTheCompetitorNames_isAskedWithoutACue)
{
    DrillSession& session = start();
    ASSERT_TRUE(session.ask(9995));
    EXPECT_EQ(session.question()->cue, std::nullopt);
    EXPECT_EQ(sheetText(), QString(10, u'_'));
    answer(6);
    EXPECT_EQ(session.phase(), DrillSession::Phase::Passed) << "e ends after six digits";
    EXPECT_FALSE(session.ask(10001));
    EXPECT_EQ(session.question()->position, 9995);
}

TEST_F(DrillSessionTest, nothingLearned_asksNothingUntilAPositionIsNamed)
{
    DrillSession& session = start({});
    EXPECT_EQ(session.phase(), DrillSession::Phase::Nothing);
    EXPECT_FALSE(session.next());
    EXPECT_EQ(session.sheet().rowCount(), 1);
    session.finish();
    EXPECT_TRUE(m_log.finished.empty()) << "a drill without a digit typed leaves no session";
    EXPECT_FALSE(session.ask(20));
}
