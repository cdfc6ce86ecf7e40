// A rehearsal from training runs under the record rules; its journal says what it is, the verifier never
// passes it as a record attempt, and its outcome becomes a session of the training history.
#include "AttemptScript.h"
#include "IndependentVerifier.h"
#include "JournalTampering.h"
#include "RecorderLog.h"

#include "journal/JournalVerifier.h"
#include "training/RehearsalHistory.h"

#include <gtest/gtest.h>

namespace {
// 30 digits of pi, the 12th typed wrong and left so.
AttemptScript rehearsedAttempt(bool ended = true)
{
    AttemptScript script;
    script.countdownEnds(3'000).typeDigits(1, 11, 4'000, 1'000);
    script.type(1, 12, script.wrongDigit(12), 15'000);
    script.typeDigits(13, 18, 16'000, 1'000);
    if (ended) {
        script.box(BoxKind::Finish, BoxAnswer::Yes, AnsweredBy::User, 34'000, 34'500);
        script.end(EndReason::Finish, 31.5f, 11, 34'500);
    }
    return script;
}

QByteArray withStartField(const AttemptScript& script, const QJsonValue& rehearsal)
{
    QList<QByteArray> lines = script.lines();
    lines[0] = withField(lines[0], QStringLiteral("rehearsal"), rehearsal);
    return rechained(lines).join();
}
} // namespace

TEST(RehearsalJournal, startLineDecidesTheVerdictAndTheExitCode)
{
    struct Case
    {
        const char* name;
        QByteArray journal;
        Verdict verdict;
        const char* verdictStart;
        int exitCode;
    };
    const Case cases[] = {
        {"a record attempt", rehearsedAttempt().bytes(), Verdict::Valid, "valid", 0},
        {"a rehearsal", withStartField(rehearsedAttempt(), true), Verdict::Valid,
         "rehearsal, not a record attempt: valid", 4},
        {"a rehearsal without its end", withStartField(rehearsedAttempt(false), true), Verdict::Incomplete,
         "rehearsal, not a record attempt: incomplete", 3},
        {"the mark set to false", withStartField(rehearsedAttempt(), false), Verdict::Altered, "altered", 1},
        {"the mark as a word", withStartField(rehearsedAttempt(), QStringLiteral("yes")), Verdict::Altered, "altered",
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const VerificationResult result = verifyJournal(c.journal);
        EXPECT_EQ(result.verdict, c.verdict) << result.verdictText.toStdString();
        EXPECT_TRUE(result.verdictText.startsWith(QLatin1StringView(c.verdictStart)))
            << result.verdictText.toStdString();
        EXPECT_EQ(result.exitCode(), c.exitCode);
    }
}

TEST(RehearsalJournal, markRemovedFromARehearsal_breaksTheChain)
{
    const QList<QByteArray> rehearsal = withStartField(rehearsedAttempt(), true).split('\n');
    QList<QByteArray> lines;
    for (const QByteArray& line : rehearsal) {
        if (!line.isEmpty())
            lines.append(line + '\n');
    }
    QJsonObject start = QJsonDocument::fromJson(lines[0]).object();
    start.remove(QStringLiteral("rehearsal"));
    lines[0] = QJsonDocument(start).toJson(QJsonDocument::Compact) + '\n';
    const VerificationResult result = verifyJournal(lines.join());
    EXPECT_EQ(result.verdict, Verdict::Altered) << result.verdictText.toStdString();
}

TEST(RehearsalJournal, outcome_becomesARehearseSessionOfItsStandingAnswers)
{
    const VerificationResult result = verifyJournal(withStartField(rehearsedAttempt(), true));
    RecorderLog log;
    const std::optional<qint64> session = recordRehearsal(result, log);
    ASSERT_TRUE(session.has_value());
    ASSERT_EQ(log.sessions.size(), 1u);
    EXPECT_EQ(log.sessions[0].activity, TrainingActivity::Rehearse);
    EXPECT_EQ(log.sessions[0].number, TrainingNumber::Pi);
    EXPECT_EQ(log.sessions[0].firstPosition, 1);
    EXPECT_TRUE(log.sessions[0].startedUtc.isValid());
    EXPECT_EQ(log.sessions[0].startedUtc.timeSpec(), Qt::UTC);

    ASSERT_EQ(log.digits.size(), 30u);
    const AttemptScript script = rehearsedAttempt();
    for (std::size_t index = 0; index < log.digits.size(); ++index) {
        const TypedDigit& digit = log.digits[index];
        SCOPED_TRACE(index);
        EXPECT_EQ(digit.sessionId, *session);
        EXPECT_EQ(digit.seq, int(index) + 1);
        EXPECT_EQ(digit.position, int(index) + 1);
        EXPECT_EQ(digit.expected, script.question(digit.position).toInt());
        const QString typed = digit.position == 12 ? script.wrongDigit(12) : script.question(digit.position);
        EXPECT_EQ(digit.typed, typed.toInt());
    }
    EXPECT_LT(log.digits[0].ms, log.digits[29].ms);
    ASSERT_EQ(log.finished.size(), 1u);
    EXPECT_EQ(log.finished[0].first, *session);
    EXPECT_NEAR(log.finished[0].second, result.usedSeconds, 1e-9);
}

TEST(RehearsalJournal, journalThatCannotBeRead_recordsNothing)
{
    RecorderLog log;
    EXPECT_FALSE(recordRehearsal(verifyJournal("not a journal\n"), log).has_value());
    EXPECT_TRUE(log.sessions.empty());
    EXPECT_TRUE(log.digits.empty());
}

TEST(RehearsalJournal, independentVerifier_judgesRehearsalsAlike)
{
    if (pythonProgram().isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    QList<QByteArray> raisedScore = withStartField(rehearsedAttempt(), true).split('\n');
    raisedScore.removeLast();
    raisedScore.last() = withField(raisedScore.last(), QStringLiteral("score"), 12).chopped(1);
    for (QByteArray& line : raisedScore)
        line.append('\n');
    const QByteArray journals[] = {
        withStartField(rehearsedAttempt(), true),
        withStartField(rehearsedAttempt(false), true),
        withStartField(rehearsedAttempt(), false),
        withStartField(rehearsedAttempt(), QStringLiteral("yes")),
        rechained(raisedScore).join(),
    };
    for (const QByteArray& journal : journals) {
        SCOPED_TRACE(journal.left(journal.indexOf('\n')).toStdString());
        EXPECT_TRUE(agreesWithIndependentVerifier(journal));
    }
}
