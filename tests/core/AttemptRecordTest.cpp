#include "AttemptRecordTestSupport.h"
#include "FakeClock.h"
#include "base/Clock.h"
#include "record/AttemptRecordDocument.h"
#include "stage/AnswerSheet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
std::string attributeAt(pugi::xml_node specialNumbers, int row, int column, const char* attribute)
{
    const std::string rowName = "Satir_" + std::to_string(row);
    const std::string cellName = "Soru_" + std::to_string(column);
    return specialNumbers.child(rowName.c_str()).child(cellName.c_str()).attribute(attribute).value();
}

std::size_t elementChildCount(pugi::xml_node node)
{
    std::size_t count = 0;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
        count += child.type() == pugi::node_element ? 1 : 0;
    return count;
}

// Cell texts of a plain table, standing in for any grid.
class TableTexts final : public CellTextSource
{
public:
    TableTexts(int rows, int columns) : m_rows(rows), m_columns(columns), m_texts(std::size_t(rows * columns)) {}
    int rowCount() const override { return m_rows; }
    int columnCount() const override { return m_columns; }
    QString cellText(int row, int column) const override { return m_texts[index(row, column)]; }
    void set(int row, int column, const QString& text) { m_texts[index(row, column)] = text; }

private:
    std::size_t index(int row, int column) const { return std::size_t((row - 1) * m_columns + column - 1); }
    int m_rows;
    int m_columns;
    std::vector<QString> m_texts;
};
} // namespace

TEST(BuildAttemptRecord, asksOnlyWholeRows)
{
    AttemptRecordDocument record;
    const struct
    {
        int length;
        int columns;
        int rows;
    } cases[] = {
        {10000, 30, 333}, {10000, 36, 277}, {10000, 40, 250}, {32767, 30, 1092}, {32767, 36, 910}, {32767, 40, 819},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << " digits, " << c.columns << " columns");
        const QString digits = syntheticDigits(c.length);
        const pugi::xml_node specialNumbers = record.BuildAttemptRecord(digits, c.columns);
        EXPECT_EQ(specialNumbers, record.specialNumbersElement());
        EXPECT_EQ(record.rowCount(), c.rows);
        EXPECT_EQ(record.columnCount(), c.columns);
        ASSERT_EQ(elementChildCount(specialNumbers), std::size_t(c.rows));
        // Found by name, as any reader of the file would, the last cell holds the last asked digit.
        const int lastIndex = c.rows * c.columns;
        EXPECT_EQ(attributeAt(specialNumbers, c.rows, c.columns, "soru"), digits.mid(lastIndex - 1, 1).toStdString());
        EXPECT_EQ(record.soru(c.rows, c.columns), digits.mid(lastIndex - 1, 1));
        EXPECT_EQ(elementChildCount(specialNumbers.last_child()), std::size_t(c.columns));
    }
}

TEST(BuildAttemptRecord, everyCellHoldsItsDigitByIndex)
{
    AttemptRecordDocument record;
    const QString digits = syntheticDigits(32767);
    const pugi::xml_node specialNumbers = record.BuildAttemptRecord(digits, 40);
    ASSERT_EQ(record.rowCount(), 819);
    for (int i = 1; i <= 819; ++i) {
        for (int j = 1; j <= 40; ++j) {
            const QString expected = digits.mid((i - 1) * 40 + j - 1, 1);
            ASSERT_EQ(record.soru(i, j), expected) << i << "/" << j;
            ASSERT_EQ(record.questions().cellText(i, j), expected) << i << "/" << j;
        }
    }
    EXPECT_EQ(attributeAt(specialNumbers, 1, 1, "soru"), digits.left(1).toStdString());
    // The 7 digits after the 32760th belong to no cell.
    EXPECT_FALSE(specialNumbers.child("Satir_820"));
}

TEST(BuildAttemptRecord, firstQuestionIsFirstDecimal)
{
    AttemptRecordDocument record;
    const pugi::xml_node specialNumbers = record.BuildAttemptRecord(QStringLiteral("14159265358979323846"), 3);
    EXPECT_EQ(record.soru(1, 1), QStringLiteral("1"));
    EXPECT_EQ(attributeAt(specialNumbers, 1, 1, "soru"), "1");
    EXPECT_EQ(record.soru(6, 3), QStringLiteral("8")); // the 18th; "46" is left over
    EXPECT_EQ(record.rowCount(), 6);
}

TEST(BuildAttemptRecord, emptyDigits_giveNoRows)
{
    AttemptRecordDocument record;
    record.BuildAttemptRecord(syntheticDigits(100), 30);
    const pugi::xml_node specialNumbers = record.BuildAttemptRecord(QString(), 30);
    EXPECT_EQ(record.rowCount(), 0);
    EXPECT_STREQ(specialNumbers.name(), "SpecialNumbers");
    EXPECT_FALSE(specialNumbers.first_child());
    EXPECT_EQ(record.answers().rowCount(), 0);
}

TEST(AttemptRecordSerialize, freshRecord_hasEmptyAnswersAndNoTimes)
{
    AttemptRecordDocument record;
    record.BuildAttemptRecord(syntheticDigits(100), 30);
    const QByteArray bytes = record.serialize();
    EXPECT_TRUE(bytes.startsWith("<?xml version='1.0' encoding='utf-8'?>")) << bytes.left(60).toStdString();
    EXPECT_EQ(bytes.count("<?xml"), 1);

    pugi::xml_document parsed;
    ASSERT_EQ(parsed.load_buffer(bytes.constData(), std::size_t(bytes.size())).status, pugi::status_ok);
    const pugi::xml_node root = parsed.document_element();
    EXPECT_STREQ(root.name(), "Korvalin");
    EXPECT_FALSE(root.first_attribute());
    EXPECT_EQ(elementChildCount(root), 1u);
    const pugi::xml_node specialNumbers = root.child("SpecialNumbers");
    EXPECT_FALSE(specialNumbers.first_attribute());
    ASSERT_EQ(elementChildCount(specialNumbers), 3u);
    for (pugi::xml_node row = specialNumbers.first_child(); row; row = row.next_sibling()) {
        for (pugi::xml_node cell = row.first_child(); cell; cell = cell.next_sibling()) {
            const pugi::xml_attribute first = cell.first_attribute();
            EXPECT_STREQ(first.name(), "soru");
            EXPECT_STREQ(first.next_attribute().name(), "cevap");
            EXPECT_STREQ(first.next_attribute().value(), "");
            EXPECT_FALSE(first.next_attribute().next_attribute());
        }
    }
}

TEST(RecordAnswers, writesTimesFirstThenEveryAnswer)
{
    AttemptRecordDocument record;
    record.BuildAttemptRecord(syntheticDigits(90), 30);
    AnswerSheet sheet;
    sheet.reset(3, 30);
    sheet.setCellText(1, 1, QStringLiteral("7"));
    sheet.setCellText(3, 30, QStringLiteral("0"));
    const FakeClock clock(854.5f);
    EXPECT_FLOAT_EQ(record.RecordAnswers(100.0f, 28800, clock, sheet), 754.5f);

    const QByteArray bytes = record.serialize();
    EXPECT_TRUE(bytes.contains("<SpecialNumbers used_time=\"754.5\" max_time=\"28800\">")) << bytes.toStdString();
    EXPECT_EQ(record.cevap(1, 1), QStringLiteral("7"));
    EXPECT_EQ(record.cevap(3, 30), QStringLiteral("0"));
    EXPECT_EQ(record.cevap(2, 15), QString());
    EXPECT_EQ(attributeAt(record.specialNumbersElement(), 3, 30, "cevap"), "0");
    EXPECT_EQ(record.usedTime(), 754.5f);
}

TEST(RecordAnswers, laterCallOverwritesEverything)
{
    AttemptRecordDocument record;
    record.BuildAttemptRecord(syntheticDigits(60), 30);
    AnswerSheet sheet;
    sheet.reset(2, 30);
    FakeClock clock(200.0f);
    sheet.setCellText(2, 5, QStringLiteral("4"));
    sheet.setCellText(1, 9, QStringLiteral("8"));
    record.RecordAnswers(100.0f, 28800, clock, sheet);
    sheet.setCellText(2, 5, QString());            // emptied
    sheet.setCellText(1, 9, QStringLiteral("3"));  // retyped
    sheet.setCellText(1, 10, QStringLiteral("ş")); // beyond ASCII
    clock.set(300.0f);
    EXPECT_FLOAT_EQ(record.RecordAnswers(100.0f, 28800, clock, sheet), 200.0f);
    for (int i = 1; i <= 2; ++i) {
        for (int j = 1; j <= 30; ++j)
            ASSERT_EQ(record.cevap(i, j), sheet.cellText(i, j)) << i << "/" << j;
    }
    EXPECT_EQ(attributeAt(record.specialNumbersElement(), 1, 10, "cevap"), "ş");
    EXPECT_EQ(record.specialNumbersElement().attribute("used_time").value(), std::string("200"));
}

// Unchanged cells are skipped on later copies; a record built or loaded afresh must still get every answer.
TEST(RecordAnswers, freshRecordFromTheSameSheet_getsEveryAnswerAgain)
{
    AttemptRecordDocument record;
    const QString digits = syntheticDigits(60);
    AnswerSheet sheet;
    sheet.reset(2, 30);
    FakeClock clock(200.0f);
    sheet.setCellText(1, 3, QStringLiteral("7"));
    record.BuildAttemptRecord(digits, 30);
    record.RecordAnswers(100.0f, 28800, clock, sheet);
    const QByteArray recorded = record.serialize();

    record.BuildAttemptRecord(digits, 30);
    record.RecordAnswers(100.0f, 28800, clock, sheet);
    EXPECT_EQ(record.cevap(1, 3), QStringLiteral("7"));

    sheet.setCellText(1, 3, QStringLiteral("2"));
    record.RecordAnswers(100.0f, 28800, clock, sheet);
    ASSERT_FALSE(record.loadFromBytes(recorded, 2, 30).has_value());
    EXPECT_EQ(record.cevap(1, 3), QStringLiteral("7"));
    record.RecordAnswers(100.0f, 28800, clock, sheet);
    EXPECT_EQ(record.cevap(1, 3), QStringLiteral("2"));
}

TEST(RecordAnswers, anyCellSourceGivesTheSameRecordAsTheSheet)
{
    AttemptRecordDocument record;
    const QString digits = syntheticDigits(360);
    AnswerSheet sheet;
    sheet.reset(10, 36);
    TableTexts table(10, 36);
    for (int k = 0; k < 360; k += 7) {
        const QString text = digits.mid(359 - k, 1);
        sheet.setCellText(k / 36 + 1, k % 36 + 1, text);
        table.set(k / 36 + 1, k % 36 + 1, text);
    }
    const FakeClock clock(5000.0f);
    record.BuildAttemptRecord(digits, 36);
    record.RecordAnswers(1000.0f, 28800, clock, sheet);
    const QByteArray fromSheet = record.serialize();
    record.BuildAttemptRecord(digits, 36);
    record.RecordAnswers(1000.0f, 28800, clock, table);
    EXPECT_EQ(record.serialize(), fromSheet);
    for (int k = 0; k < 360; ++k)
        ASSERT_EQ(record.answers().cellText(k / 36 + 1, k % 36 + 1), table.cellText(k / 36 + 1, k % 36 + 1));
}

TEST(RecordAnswers, usedTimeForms)
{
    const struct
    {
        float start;
        float now;
        float stageSeconds;
        const char* text;
    } cases[] = {
        {100.0f, 854.5f, 754.5f, "754.5"},
        {100.0f, 112.0f, 12.0f, "12"},
        {100.0f, 3701.25f, 3601.25f, "3601.25"},
        {500.0f, 500.0f, 0.0f, "0"},
        {0.0f, 30000.0f, 30000.0f, "28800"},     // capped in the record, not in stageSeconds
        {86390.0f, 10.0f, 20.0f, "20"},          // started 23:59:50, ended 00:00:10
        {86000.0f, 28000.0f, 28400.0f, "28400"}, // across midnight, below the cap
        {100.0f, 100.125f, 0.12f, "0.12"},       // halves go to the even hundredth
        {100.0f, 100.375f, 0.38f, "0.38"},
        {100.004f, 100.0f, 0.0f, "0"}, // a reading just before the start is no negative time
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " -> " << c.now);
        AttemptRecordDocument record;
        record.setLocale(QLocale::c());
        record.BuildAttemptRecord(syntheticDigits(30), 30);
        AnswerSheet sheet;
        sheet.reset(1, 30);
        EXPECT_FLOAT_EQ(record.RecordAnswers(c.start, 28800, FakeClock(c.now), sheet), c.stageSeconds);
        EXPECT_STREQ(record.specialNumbersElement().attribute("used_time").value(), c.text);
        EXPECT_STREQ(record.specialNumbersElement().attribute("max_time").value(), "28800");
    }
}

TEST(RecordAnswers, writesWithTheRecordLocale)
{
    AttemptRecordDocument record;
    record.setLocale(QLocale(QLocale::German, QLocale::Germany));
    record.BuildAttemptRecord(syntheticDigits(30), 30);
    AnswerSheet sheet;
    sheet.reset(1, 30);
    record.RecordAnswers(100.0f, 28800, FakeClock(1334.5f), sheet);
    EXPECT_STREQ(record.specialNumbersElement().attribute("used_time").value(), "1234,5");
    EXPECT_EQ(record.usedTime(), 1234.5f);
}
