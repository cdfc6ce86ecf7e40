#include "AttemptScript.h"
#include "JournalTampering.h"

#include "TestFiles.h"
#include "attempt/AttemptReport.h"
#include "attempt/AttemptReportJob.h"
#include "base/ProgramVersion.h"
#include "csv/AttemptCsv.h"
#include "journal/JournalHash.h"
#include "journal/JournalVerifier.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

namespace {
// 100 digits of pi: digit 10 corrected, digit 45 left wrong, digit 77 restored from a draft.
AttemptScript reportedAttempt()
{
    AttemptScript script;
    script.countdownEnds(3'000).typeDigits(1, 76, 4'000, 1'500, 45);
    script.type(1, 10, script.wrongDigit(10), 118'000).type(1, 10, script.question(10), 119'000);
    // 45 is restored as another wrong digit than the one typed there.
    script.restore({{77, script.question(77)}, {45, QString::number((script.question(45).toInt() + 5) % 10)}}, 0.0f,
                   120'000);
    script.typeDigits(78, 23, 121'000, 2'000);
    script.box(BoxKind::Finish, BoxAnswer::Yes, AnsweredBy::User, 166'000, 166'500);
    return script.end(EndReason::Finish, 163.5f, 44, 166'500);
}

QString tool(const char* name)
{
    return QStandardPaths::findExecutable(QLatin1StringView(name));
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60'000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pageText(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    return run(tool("pdftotext"),
               {QStringLiteral("-f"), number, QStringLiteral("-l"), number, pdf, QStringLiteral("-")});
}

int pageCount(const QString& pdf)
{
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run(tool("pdfinfo"), {pdf}));
    return pages.hasMatch() ? pages.captured(1).toInt() : 0;
}

class AttemptReportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The start as a machine one hour east of UTC writes it, so that the report's times are the same
        // wherever the test runs.
        QList<QByteArray> lines = reportedAttempt().lines();
        lines[0] = withField(lines[0], QStringLiteral("time"), QStringLiteral("2025-01-01T13:00:00.000+01:00"));
        lines = rechained(lines);
        m_journal = lines.join();
        m_seal = sha256Hex(lines.last().chopped(1));
        QFile journal(journalPath());
        ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
        ASSERT_EQ(journal.write(m_journal), m_journal.size());
    }

    QString journalPath() const { return m_dir.filePath(QStringLiteral("attempt_4711.journal")); }
    QString pdfPath() const { return m_dir.filePath(QStringLiteral("reports/attempt_4711.pdf")); }
    QString csvPath() const { return m_dir.filePath(QStringLiteral("reports/attempt_4711.csv")); }
    // A folder that cannot be made: a file stands where it would be.
    QString blockedFolder() const
    {
        const QString path = m_dir.filePath(QStringLiteral("blocked"));
        QFile blocker(path);
        EXPECT_TRUE(blocker.open(QIODevice::WriteOnly));
        return path;
    }

    QTemporaryDir m_dir;
    QByteArray m_journal;
    QByteArray m_seal;
};

struct JobOutcome
{
    int count = 0;
    bool ok = false;
    QString error;
    bool onApplicationThread = false;
};

// Starts a job and waits for its finished(), which must come once.
JobOutcome runJob(AttemptReportJob& job, const QString& journal, const QString& pdf, const QString& csv)
{
    JobOutcome outcome;
    QObject::connect(&job, &AttemptReportJob::finished, [&outcome](bool ok, const QString& error) {
        ++outcome.count;
        outcome.ok = ok;
        outcome.error = error;
        outcome.onApplicationThread = QThread::currentThread() == QCoreApplication::instance()->thread();
    });
    job.start(journal, pdf, csv);
    EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.count > 0; }, 60'000));
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    return outcome;
}
} // namespace

TEST_F(AttemptReportTest, pdf_holdsTheHeaderResultSealListsAndSignatureFields)
{
    const AttemptReportResult written = writeAttemptReport(journalPath(), pdfPath(), QString());
    ASSERT_TRUE(written.ok) << written.error.toStdString();
    EXPECT_EQ(written.verification.verdict, Verdict::Valid) << written.verification.verdictText.toStdString();
    EXPECT_TRUE(readFile(pdfPath()).startsWith("%PDF-"));
    EXPECT_FALSE(QFile::exists(csvPath()));
    if (tool("pdftotext").isEmpty() || tool("pdfinfo").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";

    const QString info = run(tool("pdfinfo"), {pdfPath()});
    EXPECT_TRUE(info.contains(QStringLiteral("KORVALIN attempt 4711"))) << info.toStdString();

    const QString firstPage = pageText(pdfPath(), 1);
    for (const QString& text : {QStringLiteral("KORVALIN attempt report"),
                                QStringLiteral("Attempt number"),
                                QStringLiteral("4711"),
                                QStringLiteral("Digits of \"Pi\""),
                                QStringLiteral("arbiter-pc"),
                                QStringLiteral("Program version"),
                                QStringLiteral("Started"),
                                QStringLiteral("2025-01-01 13:00:00 +01:00"),
                                QStringLiteral("Ended"),
                                QStringLiteral("2025-01-01 13:02:46 +01:00"),
                                QStringLiteral("Digits filled"),
                                QStringLiteral("100 of 32760 cells"),
                                QStringLiteral("Score 44"),
                                QStringLiteral("0:02:44"),
                                QStringLiteral("Verdict: valid, with 1 restore of 2 cells"),
                                shortSeal(m_seal),
                                QString::fromLatin1(m_seal),
                                QStringLiteral("Verified by"),
                                QString(QStringLiteral("korvalin-verify ") + QLatin1StringView(ProgramVersion)),
                                QStringLiteral("Build"),
                                QStringLiteral("version %1, commit %2")
                                    .arg(QLatin1StringView(ProgramVersion), QLatin1StringView(ProgramCommit)),
                                QStringLiteral("Source SHA-256"),
                                QString::fromLatin1(written.verification.header.sourceSha256),
                                QStringLiteral("Time before each new digit")})
        EXPECT_TRUE(firstPage.contains(text)) << text.toStdString() << "\n" << firstPage.toStdString();

    const QString all = run(tool("pdftotext"), {pdfPath(), QStringLiteral("-")});
    for (const QString& text :
         {QStringLiteral("Corrections"), QStringLiteral("row 1, column 10"), QStringLiteral("Restores"),
          QStringLiteral("Restore at event"), QStringLiteral("Cells changed (2)"), QStringLiteral("row 3, column 17"),
          QStringLiteral("Typed answers the draft replaced"), QStringLiteral("row 2, column 15"),
          QStringLiteral("Rows with errors"), QStringLiteral("Row 2"), QStringLiteral("Witness 1"),
          QStringLiteral("Witness 2"), QStringLiteral("Arbiter"), QStringLiteral("Name"), QStringLiteral("Signature"),
          QStringLiteral("Date")})
        EXPECT_TRUE(all.contains(text)) << text.toStdString();
    // Row 1 has no error left after its correction; rows after the last answer are not listed.
    EXPECT_FALSE(all.contains(QStringLiteral("Row 1 ")));
    EXPECT_FALSE(all.contains(QStringLiteral("Row 5 ")));
}

TEST_F(AttemptReportTest, pdf_everyPageNamesTheAttemptItsSealAndItsPlace)
{
    ASSERT_TRUE(writeAttemptReport(journalPath(), pdfPath(), QString()).ok);
    if (tool("pdftotext").isEmpty() || tool("pdfinfo").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    const int pages = pageCount(pdfPath());
    ASSERT_GE(pages, 2) << "a report of one page shows nothing of later pages";
    for (int page = 1; page <= pages; ++page) {
        SCOPED_TRACE(page);
        const QString text = pageText(pdfPath(), page);
        for (const QString& expected : {QStringLiteral("KORVALIN attempt 4711"), shortSeal(m_seal),
                                        QStringLiteral("page %1 of %2").arg(page).arg(pages)})
            EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
    }
}

TEST_F(AttemptReportTest, firstPage_rendersWithTextTheRedLimitLineAndTheRestoredDigits)
{
    ASSERT_TRUE(writeAttemptReport(journalPath(), pdfPath(), QString()).ok);
    if (tool("pdftoppm").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    const QString prefix = m_dir.filePath(QStringLiteral("page"));
    run(tool("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-f"), QStringLiteral("1"),
         QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-singlefile"), pdfPath(), prefix});
    const QImage page(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    int dark = 0;
    int red = 0;
    int restoredShade = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor pixel = page.pixelColor(x, y);
            if (pixel.value() < 100)
                ++dark;
            if (pixel.red() > 150 && pixel.green() < 90 && pixel.blue() < 90)
                ++red;
            if (pixel.red() > 220 && pixel.green() > 160 && pixel.green() < 215 && pixel.blue() > 100 &&
                pixel.blue() < 175)
                ++restoredShade;
        }
    }
    const int pixels = page.width() * page.height();
    EXPECT_GT(dark, pixels / 200) << "the page is blank";
    EXPECT_GT(red, 20) << "no 15-second line";
    EXPECT_GT(restoredShade, 40) << "the restored digits are not shaded";
}

TEST_F(AttemptReportTest, csv_hasOneRowPerCellOfTheSheet)
{
    const AttemptReportResult written = writeAttemptReport(journalPath(), QString(), csvPath());
    ASSERT_TRUE(written.ok) << written.error.toStdString();
    EXPECT_FALSE(QFile::exists(pdfPath()));
    const QByteArray csv = readFile(csvPath());
    EXPECT_EQ(csv, attemptCsv(written.verification));
    const QList<QByteArray> lines = csv.split('\n');
    ASSERT_EQ(lines.size(), 1 + 1092 * 30 + 1); // the header, the cells, and nothing after the last CRLF
    EXPECT_EQ(
        lines[0],
        "index,row,column,question,answer,correct,first_entry_s,last_change_s,gap_before_s,corrections,restored\r");
    struct Case
    {
        int index;
        QByteArray row;
    };
    const Case cases[] = {
        {1, "1,1,1,1,1,yes,4.000,4.000,,0,\r"},
        {2, "2,1,2,4,4,yes,5.500,5.500,1.500,0,\r"},
        {10, "10,1,10,5,5,yes,17.500,119.000,1.500,2,\r"},
        {45, "45,2,15,9,4,no,70.000,120.000,1.500,0,yes\r"},
        {77, "77,3,17,0,0,yes,,120.000,,0,yes\r"},
        {78, "78,3,18,8,8,yes,121.000,121.000,4.500,0,\r"},
        {101, "101,4,11,8,,no,,,,0,\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(lines[c.index], c.row);
    }
}

// An altered journal is reported too, and its answers may hold anything: a field is quoted where a
// comma, a quote or a line break would break the row.
TEST(AttemptCsv, answerThatNeedsIt_isQuoted)
{
    VerificationResult result;
    result.rows = 1;
    result.columns = 3;
    result.questions = {QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("1")};
    result.answers = {QStringLiteral("x,\"y\""), QStringLiteral("a\nb"), QStringLiteral("1")};
    result.correct = {0, 0, 1};
    result.cells.resize(3);
    const QList<QByteArray> lines = attemptCsv(result).split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[1], "1,1,1,1,\"x,\"\"y\"\"\",no,,,,0,\r");
    EXPECT_TRUE(lines[2].startsWith("2,1,2,4,\"a")) << lines[2].toStdString();
    EXPECT_EQ(lines.back(), "");
}

TEST_F(AttemptReportTest, unwritableFolder_reportsTheReason)
{
    const QString folder = blockedFolder();
    const AttemptReportResult written = writeAttemptReport(journalPath(), folder + QStringLiteral("/attempt.pdf"),
                                                           folder + QStringLiteral("/attempt.csv"));
    EXPECT_FALSE(written.ok);
    EXPECT_TRUE(written.error.contains(QStringLiteral("blocked"))) << written.error.toStdString();
}

TEST_F(AttemptReportTest, unreadableJournal_writesNothingAndSaysWhy)
{
    QFile text(m_dir.filePath(QStringLiteral("text.journal")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("hello\n");
    text.close();
    for (const QString& journal : {text.fileName(), m_dir.filePath(QStringLiteral("missing.journal"))}) {
        SCOPED_TRACE(journal.toStdString());
        const AttemptReportResult written = writeAttemptReport(journal, pdfPath(), csvPath());
        EXPECT_FALSE(written.ok);
        EXPECT_EQ(written.verification.verdict, Verdict::Unreadable);
        EXPECT_TRUE(written.error.contains(QFileInfo(journal).fileName())) << written.error.toStdString();
        EXPECT_TRUE(written.error.contains(QStringLiteral("cannot be read"))) << written.error.toStdString();
        EXPECT_FALSE(QFile::exists(pdfPath()));
        EXPECT_FALSE(QFile::exists(csvPath()));
    }
}

TEST_F(AttemptReportTest, sealWrittenDownWrong_isTheVerdictTheReportShows)
{
    VerifyOptions options;
    options.expectedSeal = QStringLiteral("0000 1111 2222 3333");
    const AttemptReportResult written = writeAttemptReport(journalPath(), QString(), csvPath(), options);
    ASSERT_TRUE(written.ok) << written.error.toStdString();
    EXPECT_EQ(written.verification.verdict, Verdict::Altered);
}

TEST_F(AttemptReportTest, job_writesTheSameReportAndFinishesOnTheApplicationThread)
{
    AttemptReportJob job;
    EXPECT_FALSE(job.isFinished());
    QSignalSpy finished(&job, &AttemptReportJob::finished);
    job.start(journalPath(), pdfPath(), csvPath());
    // runJob starts it again, which is ignored: the report is written and told once.
    const JobOutcome outcome = runJob(job, journalPath(), pdfPath(), csvPath());
    EXPECT_EQ(outcome.count, 1);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(outcome.ok) << outcome.error.toStdString();
    EXPECT_TRUE(outcome.error.isEmpty());
    EXPECT_TRUE(outcome.onApplicationThread);
    EXPECT_TRUE(job.isFinished());
    EXPECT_TRUE(job.ok());
    EXPECT_TRUE(readFile(pdfPath()).startsWith("%PDF-"));
    EXPECT_EQ(readFile(csvPath()), attemptCsv(verifyJournalFile(journalPath())));
    if (tool("pdftotext").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    // The program wrote it, not korvalin-verify.
    const QString firstPage = pageText(pdfPath(), 1);
    EXPECT_TRUE(firstPage.contains(QStringLiteral("KORVALIN ") + QLatin1StringView(ProgramVersion)))
        << firstPage.toStdString();
    EXPECT_FALSE(firstPage.contains(QStringLiteral("korvalin-verify"))) << firstPage.toStdString();
}

TEST_F(AttemptReportTest, job_thatCannotWrite_finishesWithTheReason)
{
    const QString folder = blockedFolder();
    struct Case
    {
        const char* name;
        QString journal;
        QString pdf;
        QString csv;
        QString says;
    };
    const Case cases[] = {
        {"missing journal", m_dir.filePath(QStringLiteral("missing.journal")), pdfPath(), csvPath(),
         QStringLiteral("missing.journal")},
        {"PDF folder blocked", journalPath(), folder + QStringLiteral("/attempt.pdf"), csvPath(),
         QStringLiteral("blocked")},
        {"CSV folder blocked", journalPath(), QString(), folder + QStringLiteral("/attempt.csv"),
         QStringLiteral("blocked")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AttemptReportJob job;
        const JobOutcome outcome = runJob(job, c.journal, c.pdf, c.csv);
        EXPECT_EQ(outcome.count, 1);
        EXPECT_FALSE(outcome.ok);
        EXPECT_FALSE(job.ok());
        EXPECT_EQ(job.error(), outcome.error);
        EXPECT_TRUE(outcome.error.contains(c.says)) << outcome.error.toStdString();
        EXPECT_TRUE(outcome.onApplicationThread);
    }
}

TEST_F(AttemptReportTest, job_deletedBeforeItEnds_stillWritesTheWholeReport)
{
    auto* job = new AttemptReportJob;
    job->start(journalPath(), pdfPath(), csvPath());
    delete job;
    // The PDF is written before the CSV, each replaced whole.
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(csvPath()); }, 60'000));
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_TRUE(readFile(pdfPath()).startsWith("%PDF-"));
    EXPECT_EQ(readFile(csvPath()), attemptCsv(verifyJournalFile(journalPath())));
}
