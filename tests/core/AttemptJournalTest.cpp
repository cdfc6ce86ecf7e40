#include "journal/AttemptJournal.h"
#include "base/ProgramVersion.h"
#include "digits/SpecialNumbers.h"
#include "journal/JournalFiles.h"
#include "journal/JournalHash.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {
constexpr qint64 WallAtStart = 1'735'732'800'000; // 2025-01-01 12:00:00 UTC

QJsonObject objectOf(const QByteArray& line)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
    return document.object();
}

// A journal whose wall clock stands still unless the test moves it.
class AttemptJournalTest : public ::testing::Test
{
protected:
    JournalStart piStart() const
    {
        JournalStart start;
        start.numberPosition = 1;
        start.settings = {36, 4, false, 10, true};
        start.sourceName = specialNumberEntries().at(1);
        start.digits = digitsForResourceKey(103);
        start.draftNumber = 4711;
        start.hostName = QStringLiteral("arbiter-pc");
        return start;
    }

    // One line of every kind, in an order a stage could write them.
    QList<QByteArray> oneOfEach()
    {
        QList<QByteArray> lines;
        lines << m_journal.start(piStart());
        m_wall += 10'000;
        lines << m_journal.countdownEnded(10'000);
        lines << m_journal.edit({1, 1, QString(), QStringLiteral("1"), 11'500, std::nullopt});
        lines << m_journal.timeDisplayToggled(false, 12'000);
        lines << m_journal.restore({QString::fromLatin1(sha256Hex("draft")),
                                    {{1, 2, QString(), QStringLiteral("4")}, {1, 3, QStringLiteral("7"), QString()}},
                                    600.5f,
                                    13'000,
                                    std::nullopt,
                                    QString()});
        lines << m_journal.box({BoxKind::Finish, BoxAnswer::Yes, AnsweredBy::User, 14'000, 15'250});
        lines << m_journal.end({EndReason::Finish, 605.75f, 2, 15'300});
        return lines;
    }

    qint64 m_wall = WallAtStart;
    AttemptJournal m_journal{[this] { return m_wall; }};
};
} // namespace

TEST_F(AttemptJournalTest, everyEvent_isOneCanonicalJsonLine)
{
    for (const QByteArray& line : oneOfEach()) {
        SCOPED_TRACE(line.toStdString());
        ASSERT_TRUE(line.endsWith('\n'));
        EXPECT_EQ(line.count('\n'), 1);
        const QByteArray text = line.chopped(1);
        // Keys in code-point order, no blanks: writing the parsed object again gives the same bytes.
        EXPECT_EQ(QJsonDocument(objectOf(text)).toJson(QJsonDocument::Compact), text);
    }
}

TEST_F(AttemptJournalTest, lines_formAHashChainWhoseLastHashIsTheSeal)
{
    const QList<QByteArray> lines = oneOfEach();
    QByteArray previous = QByteArray(64, '0');
    for (int index = 0; index < lines.size(); ++index) {
        const QJsonObject object = objectOf(lines[index].chopped(1));
        EXPECT_EQ(object.value(QLatin1StringView("n")).toInteger(), index + 1);
        EXPECT_EQ(object.value(QLatin1StringView("prev")).toString().toLatin1(), previous);
        previous = QCryptographicHash::hash(lines[index].chopped(1), QCryptographicHash::Sha256).toHex();
    }
    EXPECT_EQ(m_journal.seal(), previous);
    EXPECT_EQ(m_journal.eventCount(), lines.size());
}

TEST_F(AttemptJournalTest, start_recordsVersionSettingsSourceTimeHostAndDraft)
{
    const QJsonObject start = objectOf(m_journal.start(piStart()));
    EXPECT_EQ(start.value(QLatin1StringView("e")).toString(), QStringLiteral("start"));
    EXPECT_EQ(start.value(QLatin1StringView("ms")).toInteger(), 0);
    EXPECT_EQ(start.value(QLatin1StringView("wall")).toInteger(), WallAtStart);
    EXPECT_EQ(start.value(QLatin1StringView("version")).toString(), QLatin1StringView(ProgramVersion));
    const QJsonObject settings = start.value(QLatin1StringView("settings")).toObject();
    EXPECT_EQ(settings.value(QLatin1StringView("number")).toInteger(), 1);
    EXPECT_EQ(settings.value(QLatin1StringView("digitsPerRow")).toInteger(), 36);
    EXPECT_EQ(settings.value(QLatin1StringView("groupSize")).toInteger(), 4);
    EXPECT_EQ(settings.value(QLatin1StringView("showStageTimer")).toBool(true), false);
    EXPECT_EQ(settings.value(QLatin1StringView("concentrationSeconds")).toInteger(), 10);
    EXPECT_EQ(settings.value(QLatin1StringView("cellTimerOn")).toBool(false), true);
    EXPECT_EQ(start.value(QLatin1StringView("source")).toString(), QStringLiteral("Digits of \"Pi\""));
    EXPECT_EQ(start.value(QLatin1StringView("sourceSha256")).toString().toLatin1(),
              QCryptographicHash::hash(digitsForResourceKey(103).toLatin1(), QCryptographicHash::Sha256).toHex());
    EXPECT_EQ(start.value(QLatin1StringView("host")).toString(), QStringLiteral("arbiter-pc"));
    EXPECT_EQ(start.value(QLatin1StringView("draft")).toInteger(), 4711);

    // Local date and time with its offset from UTC, naming the same instant as the wall clock.
    const QString time = start.value(QLatin1StringView("time")).toString();
    EXPECT_TRUE(
        time.contains(QRegularExpression(QStringLiteral("T\\d\\d:\\d\\d:\\d\\d\\.\\d{3}(Z|[+-]\\d\\d:\\d\\d)$"))))
        << time.toStdString();
    EXPECT_EQ(QDateTime::fromString(time, Qt::ISODateWithMs).toMSecsSinceEpoch(), WallAtStart);
}

TEST_F(AttemptJournalTest, fields_ofEachKindOfEvent)
{
    const QList<QByteArray> lines = oneOfEach();
    struct Case
    {
        int line;
        const char* kind;
        QJsonObject expected; // fields besides e, n, ms, wall and prev
    };
    const Case cases[] = {
        {1, "countdownEnd", {}},
        {2,
         "edit",
         {{QStringLiteral("r"), 1},
          {QStringLiteral("c"), 1},
          {QStringLiteral("old"), QString()},
          {QStringLiteral("new"), QStringLiteral("1")}}},
        {3, "timeDisplay", {{QStringLiteral("countDown"), false}}},
        {4,
         "restore",
         {{QStringLiteral("sha256"), QString::fromLatin1(sha256Hex("draft"))},
          {QStringLiteral("cells"), QJsonArray{QJsonArray{1, 2, QString(), QStringLiteral("4")},
                                               QJsonArray{1, 3, QStringLiteral("7"), QString()}}},
          {QStringLiteral("added"), 600.5},
          {QStringLiteral("overwrites"), QJsonArray{}}}},
        {5,
         "box",
         {{QStringLiteral("box"), QStringLiteral("finish")},
          {QStringLiteral("answer"), QStringLiteral("yes")},
          {QStringLiteral("by"), QStringLiteral("user")},
          {QStringLiteral("asked"), 14'000}}},
        {6,
         "end",
         {{QStringLiteral("reason"), QStringLiteral("finish")},
          {QStringLiteral("used"), 605.75},
          {QStringLiteral("score"), 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        QJsonObject object = objectOf(lines[c.line].chopped(1));
        EXPECT_EQ(object.take(QLatin1StringView("e")).toString(), QLatin1StringView(c.kind));
        EXPECT_EQ(object.take(QLatin1StringView("wall")).toInteger(), WallAtStart + 10'000);
        for (const char* common : {"n", "ms", "prev"})
            EXPECT_TRUE(object.contains(QLatin1StringView(common))) << common;
        object.remove(QLatin1StringView("n"));
        object.remove(QLatin1StringView("ms"));
        object.remove(QLatin1StringView("prev"));
        EXPECT_EQ(object, c.expected);
    }
}

TEST_F(AttemptJournalTest, usedTimes_areWrittenAsHundredthsNotAsTheirFloatDigits)
{
    m_journal.start(piStart());
    const QByteArray end = m_journal.end({EndReason::StageTime, 754.37f, 57, 30'000});
    EXPECT_TRUE(end.contains("\"used\":754.37,")) << end.toStdString();
    const QByteArray restore = m_journal.restore({QString(), {}, 0.1f, 30'001, std::nullopt, QString()});
    EXPECT_TRUE(restore.contains("\"added\":0.1,")) << restore.toStdString();
}

TEST_F(AttemptJournalTest, editorOpenedBeforeTheCommit_isRecordedOnlyThen)
{
    m_journal.start(piStart());
    const QJsonObject typed = objectOf(m_journal.edit({2, 3, QString(), QStringLiteral("5"), 9'000, 9'000}));
    const QJsonObject unset = objectOf(m_journal.edit({2, 4, QString(), QStringLiteral("5"), 9'100, std::nullopt}));
    const QJsonObject opened = objectOf(m_journal.edit({2, 5, QString(), QStringLiteral("5"), 9'900, 9'200}));
    EXPECT_FALSE(typed.contains(QLatin1StringView("opened")));
    EXPECT_FALSE(unset.contains(QLatin1StringView("opened")));
    EXPECT_EQ(opened.value(QLatin1StringView("opened")).toInteger(), 9'200);
}

TEST_F(AttemptJournalTest, foreignTexts_stayOnOneLineAndReadBack)
{
    m_journal.start(piStart());
    const QString foreign = QStringLiteral("ü\"\n\\x");
    const QByteArray line =
        m_journal.restore({QString(), {{1, 1, QString(), foreign}}, 0.0f, 100, std::nullopt, QString()});
    EXPECT_EQ(line.count('\n'), 1);
    const QJsonArray cells = objectOf(line).value(QLatin1StringView("cells")).toArray();
    EXPECT_EQ(cells.at(0).toArray().at(3).toString(), foreign);
}

TEST(JournalSeal, shortForm_isFourGroupsOfFourUpperCaseCharacters)
{
    const QByteArray seal = sha256Hex("KORVALIN");
    const QString expected =
        QString::fromLatin1(seal.left(4) + ' ' + seal.mid(4, 4) + ' ' + seal.mid(8, 4) + ' ' + seal.mid(12, 4))
            .toUpper();
    EXPECT_EQ(shortSeal(seal), expected);
    EXPECT_EQ(shortSeal(QByteArray("abc")), QString());
}

TEST(JournalFiles, namesFollowTheDraftNumber)
{
    EXPECT_EQ(journalFileName(4711), QStringLiteral("attempt_4711.journal"));
    EXPECT_EQ(reportPdfFileName(0), QStringLiteral("attempt_0.pdf"));
    EXPECT_EQ(reportCsvFileName(29999), QStringLiteral("attempt_29999.csv"));
    EXPECT_EQ(reportsFolderName(), QStringLiteral("reports"));
}
