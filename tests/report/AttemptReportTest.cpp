#include "AttemptScript.h"

#include "TestFiles.h"
#include "attempt/AttemptReport.h"
#include "csv/AttemptCsv.h"
#include "journal/JournalHash.h"
#include "journal/JournalVerifier.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
// 100 digits of pi: digit 10 corrected, digit 45 left wrong, digit 77 restored from a draft.
AttemptScript reportedAttempt()
{
    AttemptScript script;
    script.countdownEnds(3'000).typeDigits(1, 76, 4'000, 1'500, 45);
    script.type(1, 10, script.wrongDigit(10), 118'000).type(1, 10, script.question(10), 119'000);
    script.restore({{77, script.question(77)}, {45, QStringLiteral("x,\"y\"")}}, 0.0f, 120'000);
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

class AttemptReportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_script = reportedAttempt();
        m_result = verifyJournal(m_script.bytes());
        ASSERT_EQ(m_result.verdict, Verdict::Valid) << m_result.verdictText.toStdString();
    }

    QString pdfPath() const { return m_dir.filePath(QStringLiteral("reports/attempt_4711.pdf")); }
    QString csvPath() const { return m_dir.filePath(QStringLiteral("reports/attempt_4711.csv")); }

    QTemporaryDir m_dir;
    AttemptScript m_script;
    VerificationResult m_result;
};
} // namespace

TEST_F(AttemptReportTest, pdf_holdsTheHeaderResultSealListsAndSignatureFields)
{
    const WriteResult written = writeAttemptReport(m_result, pdfPath(), QString());
    ASSERT_TRUE(written.ok) << written.error.toStdString();
    EXPECT_TRUE(readFile(pdfPath()).startsWith("%PDF-"));
    EXPECT_FALSE(QFile::exists(csvPath()));
    if (tool("pdftotext").isEmpty() || tool("pdfinfo").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";

    const QString info = run(tool("pdfinfo"), {pdfPath()});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+[1-9]")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("KORVALIN attempt 4711"))) << info.toStdString();

    const QString firstPage = run(tool("pdftotext"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                                      QStringLiteral("1"), pdfPath(), QStringLiteral("-")});
    for (const QString& text :
         {QStringLiteral("KORVALIN attempt report"), QStringLiteral("Attempt number"), QStringLiteral("4711"),
          QStringLiteral("Digits of \"Pi\""), QStringLiteral("arbiter-pc"), QStringLiteral("Program version"),
          QStringLiteral("Score 44"), QStringLiteral("0:02:44"), QStringLiteral("Verdict: valid"),
          shortSeal(m_script.seal()), QString::fromLatin1(m_script.seal()),
          QStringLiteral("Time before each new digit")})
        EXPECT_TRUE(firstPage.contains(text)) << text.toStdString() << "\n" << firstPage.toStdString();

    const QString all = run(tool("pdftotext"), {pdfPath(), QStringLiteral("-")});
    for (const QString& text : {QStringLiteral("Corrections"), QStringLiteral("row 1, column 10"),
                                QStringLiteral("Restores"), QStringLiteral("Rows with errors"), QStringLiteral("Row 2"),
                                QStringLiteral("Witness 1"), QStringLiteral("Witness 2"), QStringLiteral("Arbiter"),
                                QStringLiteral("Name"), QStringLiteral("Signature"), QStringLiteral("Date")})
        EXPECT_TRUE(all.contains(text)) << text.toStdString();
    // Row 1 has no error left after its correction; rows after the last answer are not listed.
    EXPECT_FALSE(all.contains(QStringLiteral("Row 1 ")));
    EXPECT_FALSE(all.contains(QStringLiteral("Row 5 ")));
}

TEST_F(AttemptReportTest, firstPage_rendersWithTextAndTheRedLimitLine)
{
    ASSERT_TRUE(writeAttemptReport(m_result, pdfPath(), QString()).ok);
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
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor pixel = page.pixelColor(x, y);
            if (pixel.value() < 100)
                ++dark;
            if (pixel.red() > 150 && pixel.green() < 90 && pixel.blue() < 90)
                ++red;
        }
    }
    const int pixels = page.width() * page.height();
    EXPECT_GT(dark, pixels / 200) << "the page is blank";
    EXPECT_GT(red, 20) << "no 15-second line";
}

TEST_F(AttemptReportTest, csv_hasOneRowPerCellOfTheSheet)
{
    ASSERT_TRUE(writeAttemptReport(m_result, QString(), csvPath()).ok);
    const QByteArray csv = readFile(csvPath());
    EXPECT_EQ(csv, attemptCsv(m_result));
    const QList<QByteArray> lines = csv.split('\n');
    ASSERT_EQ(lines.size(), 1 + 1092 * 30 + 1); // the header, the cells, and nothing after the last CRLF
    EXPECT_EQ(lines[0],
              "index,row,column,question,answer,correct,first_entry_s,last_change_s,gap_before_s,corrections\r");
    struct Case
    {
        int index;
        QByteArray row;
    };
    const Case cases[] = {
        {1, "1,1,1,1,1,yes,4.000,4.000,,0\r"},
        {2, "2,1,2,4,4,yes,5.500,5.500,1.500,0\r"},
        {10, "10,1,10,5,5,yes,17.500,119.000,1.500,2\r"},
        {45, "45,2,15,9,\"x,\"\"y\"\"\",no,70.000,120.000,1.500,0\r"},
        {77, "77,3,17,0,0,yes,,120.000,,0\r"},
        {78, "78,3,18,8,8,yes,121.000,121.000,4.500,0\r"},
        {101, "101,4,11,8,,no,,,,0\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(lines[c.index], c.row);
    }
}

TEST_F(AttemptReportTest, unwritableFolder_reportsTheReason)
{
    QFile blocker(m_dir.filePath(QStringLiteral("reports")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const WriteResult written = writeAttemptReport(m_result, pdfPath(), csvPath());
    EXPECT_FALSE(written.ok);
    EXPECT_TRUE(written.error.contains(QStringLiteral("reports"))) << written.error.toStdString();
}
