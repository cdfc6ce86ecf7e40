#include "AttemptScript.h"
#include "JournalTampering.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

// The installed program as an arbiter runs it, without a display.
Outcome verify(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KORVALIN_VERIFY_PROGRAM), arguments);
    EXPECT_TRUE(process.waitForFinished(60'000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

AttemptScript finishedAttempt()
{
    AttemptScript script;
    script.countdownEnds(3'000).typeDigits(1, 20, 4'000, 900, 20);
    script.box(BoxKind::Finish, BoxAnswer::Yes, AnsweredBy::User, 22'000, 23'000);
    return script.end(EndReason::Finish, 20.0f, 19, 23'000);
}

class VerifyCommandTest : public ::testing::Test
{
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_dir;
};
} // namespace

TEST_F(VerifyCommandTest, validJournal_printsTheSummaryAndExitsZero)
{
    const AttemptScript script = finishedAttempt();
    const Outcome outcome = verify({write(QStringLiteral("attempt_4711.journal"), script.bytes())});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.out.toStdString() << outcome.err.toStdString();
    for (const QString& line :
         {QStringLiteral("Score        19 (recorded 19)"), QStringLiteral("Used time    0:00:20 (20.00 s)"),
          QStringLiteral("Longest gap  0.90 s, before digit 2"), QStringLiteral("Corrections  0"),
          QStringLiteral("Restores     0"), QString(QStringLiteral("Seal         ") + shortSeal(script.seal())),
          QStringLiteral("Verdict      valid")})
        EXPECT_TRUE(outcome.out.contains(line)) << line.toStdString() << "\n" << outcome.out.toStdString();
}

TEST_F(VerifyCommandTest, exitCodes_tellValidAlteredUnreadableAndIncomplete)
{
    const AttemptScript script = finishedAttempt();
    // As someone might copy the seal from the screen: lower case, dashes, O and L for 0 and 1.
    const QString copiedSeal = shortSeal(script.seal())
                                   .toLower()
                                   .replace(QLatin1Char(' '), QLatin1Char('-'))
                                   .replace(QLatin1Char('0'), QLatin1Char('O'))
                                   .replace(QLatin1Char('1'), QLatin1Char('L'));
    QList<QByteArray> altered = script.lines();
    altered[9] = withField(altered[9], QStringLiteral("new"), QStringLiteral("0"));
    QByteArray alteredBytes;
    for (const QByteArray& line : altered)
        alteredBytes += line;
    QList<QByteArray> rehearsal = script.lines();
    rehearsal[0] = withField(rehearsal[0], QStringLiteral("rehearsal"), true);
    const QByteArray rehearsalBytes = rechained(rehearsal).join();
    struct Case
    {
        const char* name;
        QStringList arguments;
        int exitCode;
        QString says;
    };
    const Case cases[] = {
        {"cut mid-line",
         {write(QStringLiteral("cut.journal"), script.bytes().chopped(30))},
         3,
         QStringLiteral("Verdict      incomplete: journal ends early after event 23; no result")},
        {"cut between lines, the end and the box before it",
         {write(QStringLiteral("cut2.journal"), script.lines().mid(0, 22).join())},
         3,
         QStringLiteral("incomplete: journal ends early after event 22; no result")},
        {"altered",
         {write(QStringLiteral("altered.journal"), alteredBytes)},
         1,
         QStringLiteral("altered: event 10: it was changed after it was written")},
        {"seal written down wrong",
         {write(QStringLiteral("sealed.journal"), script.bytes()), QStringLiteral("--seal"),
          QStringLiteral("0000 1111 2222 3333")},
         1,
         QStringLiteral("is not the seal 0000 1111 2222 3333 written down")},
        {"seal written down right",
         {write(QStringLiteral("sealed.journal"), script.bytes()), QStringLiteral("--seal"), shortSeal(script.seal())},
         0,
         QStringLiteral("Verdict      valid")},
        {"seal copied leniently",
         {write(QStringLiteral("sealed.journal"), script.bytes()), QStringLiteral("--seal"), copiedSeal},
         0,
         QStringLiteral("Verdict      valid")},
        {"full seal",
         {write(QStringLiteral("sealed.journal"), script.bytes()), QStringLiteral("--seal"),
          QString::fromLatin1(script.seal())},
         0,
         QStringLiteral("Verdict      valid")},
        {"not a seal",
         {write(QStringLiteral("sealed.journal"), script.bytes()), QStringLiteral("--seal"),
          QStringLiteral("0CD8 5167 5FEC 7F9Q")},
         2,
         QStringLiteral("Verdict      not a seal: \"0CD8 5167 5FEC 7F9Q\": Q is not a hexadecimal digit")},
        {"seal too short",
         {write(QStringLiteral("sealed.journal"), script.bytes()), QStringLiteral("--seal"),
          QStringLiteral("0CD8 5167 5FEC")},
         2,
         QStringLiteral("not a seal: \"0CD8 5167 5FEC\": it has 12 hexadecimal digits")},
        {"a rehearsal from training",
         {write(QStringLiteral("rehearsal.journal"), rehearsalBytes)},
         4,
         QStringLiteral("Kind         rehearsal under the record rules, from training; not a record attempt")},
        {"a rehearsal from training, its verdict",
         {write(QStringLiteral("rehearsal.journal"), rehearsalBytes)},
         4,
         QStringLiteral("Verdict      rehearsal, not a record attempt: valid")},
        {"not a journal", {write(QStringLiteral("text.journal"), "hello\n")}, 2, QStringLiteral("cannot be read")},
        {"missing", {m_dir.filePath(QStringLiteral("missing.journal"))}, 2, QStringLiteral("cannot be read")},
        {"missing draft",
         {write(QStringLiteral("attempt.journal"), script.bytes()), QStringLiteral("--draft"),
          m_dir.filePath(QStringLiteral("missing.xml"))},
         2,
         QStringLiteral("missing.xml cannot be read")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = verify(c.arguments);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.out.toStdString() << outcome.err.toStdString();
        EXPECT_TRUE(outcome.out.contains(c.says)) << outcome.out.toStdString();
    }
}

TEST_F(VerifyCommandTest, wrongCommandLine_explainsAndExitsTwo)
{
    const QStringList wrong[] = {{},
                                 {QStringLiteral("a.journal"), QStringLiteral("b.journal")},
                                 {QStringLiteral("--bogus"), QStringLiteral("a.journal")}};
    for (const QStringList& arguments : wrong) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const Outcome outcome = verify(arguments);
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_TRUE(outcome.err.contains(QStringLiteral("JOURNAL"))) << outcome.err.toStdString();
    }
    const Outcome help = verify({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--report <FILE.pdf>"))) << help.out.toStdString();
}

TEST_F(VerifyCommandTest, reportAndCsv_areWrittenWithoutADisplay)
{
    const QString journal = write(QStringLiteral("attempt_4711.journal"), finishedAttempt().bytes());
    const QString pdf = m_dir.filePath(QStringLiteral("out/attempt_4711.pdf"));
    const QString csv = m_dir.filePath(QStringLiteral("out/attempt_4711.csv"));
    const Outcome outcome = verify({journal, QStringLiteral("--report"), pdf, QStringLiteral("--csv"), csv});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.out.toStdString() << outcome.err.toStdString();
    QFile pdfFile(pdf);
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdfFile.read(5) == "%PDF-");
    QFile csvFile(csv);
    ASSERT_TRUE(csvFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(csvFile.readAll().count('\n'), 1 + 1092 * 30);
}

TEST_F(VerifyCommandTest, unwritableReport_exitsTwo)
{
    const QString journal = write(QStringLiteral("attempt_4711.journal"), finishedAttempt().bytes());
    write(QStringLiteral("blocker"), "x");
    const Outcome outcome =
        verify({journal, QStringLiteral("--csv"), m_dir.filePath(QStringLiteral("blocker/attempt.csv"))});
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_TRUE(outcome.err.contains(QStringLiteral("blocker"))) << outcome.err.toStdString();
}

TEST_F(VerifyCommandTest, notASeal_checksNothingAndWritesNoReport)
{
    const QString journal = write(QStringLiteral("attempt_4711.journal"), finishedAttempt().bytes());
    const QString pdf = m_dir.filePath(QStringLiteral("out/attempt_4711.pdf"));
    const Outcome outcome = verify(
        {journal, QStringLiteral("--seal"), QStringLiteral("not a seal at all"), QStringLiteral("--report"), pdf});
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_TRUE(outcome.out.contains(QStringLiteral("Verdict      not a seal: "))) << outcome.out.toStdString();
    EXPECT_FALSE(outcome.out.contains(QStringLiteral("Score"))) << outcome.out.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}
