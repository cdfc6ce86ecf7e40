#include "AttemptRecordTestSupport.h"
#include "FakeClock.h"
#include "base/Clock.h"
#include "record/AttemptRecordDocument.h"
#include "stage/AnswerSheet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {
class AttemptRecordLoad : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_directory.isValid());
        m_record.setLocale(QLocale::c());
        m_record.BuildAttemptRecord(syntheticDigits(120, 1), 30);
        AnswerSheet sheet;
        sheet.reset(4, 30);
        sheet.setCellText(1, 1, QStringLiteral("5"));
        sheet.setCellText(2, 7, QStringLiteral("9"));
        m_record.RecordAnswers(1000.0f, 28800, FakeClock(1100.25f), sheet);
        m_before = m_record.serialize();
    }

    // A saved draft of the same sheet size with other questions and answers.
    QByteArray savedDraft(int rows = 4, int columns = 30) const
    {
        AttemptRecordDocument draft;
        draft.setLocale(QLocale::c());
        draft.BuildAttemptRecord(syntheticDigits(rows * columns, 2), columns);
        AnswerSheet sheet;
        sheet.reset(rows, columns);
        sheet.setCellText(rows, columns, QStringLiteral("3"));
        sheet.setCellText(1, 2, QStringLiteral("8"));
        draft.RecordAnswers(100.0f, 28800, FakeClock(700.0f), sheet);
        return draft.serialize();
    }

    QString writeFile(const QByteArray& bytes) const
    {
        const QString path = QDir(m_directory.path()).filePath(QStringLiteral("draft_record.xml"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_directory;
    AttemptRecordDocument m_record;
    QByteArray m_before;
};
} // namespace

TEST_F(AttemptRecordLoad, goodFile_replacesContentAndHandles)
{
    const QByteArray draft = savedDraft();
    const std::optional<QString> error = m_record.loadFromFile(writeFile(draft), 4, 30);
    ASSERT_FALSE(error.has_value()) << error->toStdString();
    EXPECT_EQ(m_record.serialize(), draft);
    EXPECT_EQ(m_record.usedTime(), 600.0f);
    EXPECT_EQ(m_record.cevap(4, 30), QStringLiteral("3"));
    EXPECT_EQ(m_record.cevap(1, 1), QString());
    EXPECT_EQ(m_record.soru(3, 17), syntheticDigits(120, 2).mid(2 * 30 + 16, 1));
    EXPECT_STREQ(m_record.specialNumbersElement().attribute("used_time").value(), "600");

    // The handles now write into the loaded tree.
    AnswerSheet sheet;
    sheet.reset(4, 30);
    sheet.setCellText(2, 2, QStringLiteral("1"));
    m_record.RecordAnswers(0.0f, 28800, FakeClock(50.0f), sheet);
    EXPECT_STREQ(m_record.specialNumbersElement().child("Satir_2").child("Soru_2").attribute("cevap").value(), "1");
    EXPECT_STREQ(m_record.specialNumbersElement().child("Satir_4").child("Soru_30").attribute("cevap").value(), "");
}

TEST_F(AttemptRecordLoad, foreignLayout_readsByNameAndWritesBackInOrder)
{
    // Another writer's form: its own declaration, single quotes, rows and cells out of order,
    // max_time before used_time, extra whitespace.
    const QByteArray foreign = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Korvalin>\n <SpecialNumbers "
                               "max_time='28800' used_time='61.5'>"
                               "<Satir_2><Soru_2 cevap='' soru='4'/><Soru_1 soru='3' cevap='\xfe'/></Satir_2>"
                               "<Satir_1><Soru_1 soru='1' cevap='1'/><Soru_2 soru='2' cevap=''/></Satir_1>"
                               "</SpecialNumbers></Korvalin>";
    const std::optional<QString> error = m_record.loadFromFile(writeFile(foreign), 2, 2);
    ASSERT_FALSE(error.has_value()) << error->toStdString();
    EXPECT_EQ(m_record.soru(1, 2), QStringLiteral("2"));
    EXPECT_EQ(m_record.soru(2, 1), QStringLiteral("3"));
    EXPECT_EQ(m_record.cevap(2, 1), QString(QChar(0xFE))); // þ, decoded from Latin-1
    EXPECT_EQ(m_record.usedTime(), 61.5f);

    AnswerSheet sheet;
    sheet.reset(2, 2);
    m_record.RecordAnswers(0.0f, 28800, FakeClock(70.0f), sheet);
    const QByteArray saved = m_record.serialize();
    EXPECT_TRUE(saved.startsWith("<?xml version='1.0' encoding='utf-8'?>")) << saved.toStdString();
    EXPECT_EQ(saved.count("<?xml"), 1);
    EXPECT_TRUE(saved.contains("<SpecialNumbers used_time=\"70\" max_time=\"28800\">")) << saved.toStdString();
}

TEST_F(AttemptRecordLoad, unfitFiles_leaveTheRecordUnchanged)
{
    const QByteArray good = savedDraft();
    auto replaced = [&](const char* from, const char* to) { return QByteArray(good).replace(from, to); };
    const struct
    {
        const char* name;
        std::function<QByteArray()> bytes;
        int rows;
        int columns;
    } cases[] = {
        {"truncated", [&] { return good.left(good.size() / 2); }, 4, 30},
        {"cut before the last end tag", [&] { return good.left(good.lastIndexOf("</Korvalin>")); }, 4, 30},
        {"empty", [] { return QByteArray(); }, 4, 30},
        {"not XML", [] { return QByteArray("draft"); }, 4, 30},
        {"wrong root", [&] { return replaced("Korvalin", "Korvalim"); }, 4, 30},
        {"no SpecialNumbers", [&] { return replaced("SpecialNumbers", "SpecialNumber"); }, 4, 30},
        {"fewer rows than the grid", [&] { return good; }, 5, 30},
        {"more rows than the grid", [&] { return good; }, 3, 30},
        {"fewer cells than the grid", [&] { return good; }, 4, 36},
        {"more cells than the grid", [&] { return good; }, 4, 29},
        {"a row twice", [&] { return replaced("Satir_2>", "Satir_1>"); }, 4, 30},
        {"a row renamed", [&] { return replaced("Satir_3>", "Satir_03>"); }, 4, 30},
        {"a cell renamed", [&] { return replaced("<Soru_5 ", "<Soru_x "); }, 4, 30},
        {"a cell without cevap", [&] { return replaced("cevap=\"3\"", ""); }, 4, 30},
        {"a cell without soru", [&] { return replaced("<Soru_1 soru=\"", "<Soru_1 s=\""); }, 4, 30},
        {"unreadable used time", [&] { return replaced("used_time=\"600\"", "used_time=\"ten\""); }, 4, 30},
        {"used time in another locale", [&] { return replaced("used_time=\"600\"", "used_time=\"600,5\""); }, 4, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<QString> error = m_record.loadFromFile(writeFile(c.bytes()), c.rows, c.columns);
        ASSERT_TRUE(error.has_value());
        EXPECT_FALSE(error->isEmpty());
        EXPECT_EQ(m_record.serialize(), m_before);
        EXPECT_EQ(m_record.rowCount(), 4);
        EXPECT_EQ(m_record.cevap(2, 7), QStringLiteral("9"));
        EXPECT_EQ(m_record.usedTime(), 100.25f);
    }
}

TEST_F(AttemptRecordLoad, missingFile_leavesTheRecordUnchanged)
{
    const QString path = QDir(m_directory.path()).filePath(QStringLiteral("draft_record.xml"));
    const std::optional<QString> error = m_record.loadFromFile(path, 4, 30);
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->contains(QStringLiteral("draft_record.xml"))) << error->toStdString();
    EXPECT_EQ(m_record.serialize(), m_before);
}

TEST_F(AttemptRecordLoad, draftWithoutTimes_loadsWithoutUsedTime)
{
    AttemptRecordDocument fresh;
    fresh.BuildAttemptRecord(syntheticDigits(120, 3), 30);
    ASSERT_FALSE(m_record.loadFromFile(writeFile(fresh.serialize()), 4, 30).has_value());
    EXPECT_FALSE(m_record.usedTime().has_value());
    EXPECT_EQ(m_record.soru(4, 30), syntheticDigits(120, 3).right(1));
}

TEST_F(AttemptRecordLoad, germanDraft_readsBackWithTheSameLocale)
{
    AttemptRecordDocument german;
    german.setLocale(QLocale(QLocale::German, QLocale::Germany));
    german.BuildAttemptRecord(syntheticDigits(120, 4), 30);
    AnswerSheet sheet;
    sheet.reset(4, 30);
    german.RecordAnswers(0.0f, 28800, FakeClock(754.5f), sheet);
    const QString path = writeFile(german.serialize());

    // Read with the locale it was written in, the time comes back; read with another, the file is refused.
    EXPECT_TRUE(m_record.loadFromFile(path, 4, 30).has_value());
    EXPECT_EQ(m_record.serialize(), m_before);
    m_record.setLocale(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_FALSE(m_record.loadFromFile(path, 4, 30).has_value());
    EXPECT_EQ(m_record.usedTime(), 754.5f);
}
