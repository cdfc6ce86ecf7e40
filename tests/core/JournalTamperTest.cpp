#include "AttemptScript.h"
#include "IndependentVerifier.h"
#include "JournalTampering.h"

#include "journal/JournalSummary.h"
#include "journal/JournalVerifier.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {
// A finished attempt of 41 digits of pi, one of them corrected: 46 events.
AttemptScript finishedAttempt()
{
    AttemptScript script;
    script.countdownEnds(3'000).typeDigits(1, 40, 4'000, 800);
    const QString wrong = script.wrongDigit(41);
    script.type(2, 11, wrong, 36'100).type(2, 11, script.question(41), 36'900);
    script.box(BoxKind::Finish, BoxAnswer::Yes, AnsweredBy::User, 37'000, 38'000);
    script.end(EndReason::Finish, 35.0f, 41, 38'000);
    return script;
}

QByteArray joined(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line;
    return bytes;
}

// What someone changed in the journal of finishedAttempt(), the event the verifier must name and what it says.
struct Tampering
{
    const char* name;
    std::function<QList<QByteArray>(QList<QByteArray>)> tamper;
    int event;
    const char* says;
};
const Tampering Tamperings[] = {
    {"a digit changed",
     [](QList<QByteArray> lines) {
         lines[9] = withField(lines[9], QStringLiteral("new"), QStringLiteral("0"));
         return lines;
     },
     10, "was changed after it was written"},
    {"a line deleted",
     [](QList<QByteArray> lines) {
         lines.removeAt(11);
         return lines;
     },
     12, "is missing"},
    {"two lines swapped",
     [](QList<QByteArray> lines) {
         lines.swapItemsAt(14, 15);
         return lines;
     },
     15, "out of place"},
    {"a time changed",
     [](QList<QByteArray> lines) {
         const qint64 ms = objectOfLine(lines[19]).value(QLatin1StringView("ms")).toInteger();
         lines[19] = withField(lines[19], QStringLiteral("ms"), ms - 300);
         return lines;
     },
     20, "was changed after it was written"},
    {"a line added at the end, chained",
     [](QList<QByteArray> lines) {
         QByteArray added = withField(lines[40], QStringLiteral("n"), lines.size() + 1);
         added = withField(added, QStringLiteral("prev"), QString::fromLatin1(sha256Hex(lines.last().chopped(1))));
         lines.append(added);
         return lines;
     },
     47, "follows the end of the attempt"},
    {"a line added at the end, unchained",
     [](QList<QByteArray> lines) {
         lines.append(withField(lines[40], QStringLiteral("n"), lines.size() + 1));
         return lines;
     },
     47, "follows the end of the attempt"},
    {"a part of a line added after the end",
     [](QList<QByteArray> lines) {
         lines.append(lines[40].left(30));
         return lines;
     },
     47, "follows the end of the attempt"},
    {"a digit changed and the chain rewritten",
     [](QList<QByteArray> lines) {
         lines[9] = withField(lines[9], QStringLiteral("new"), QStringLiteral("0"));
         return rechained(lines);
     },
     46, "the recorded score 41 differs from the score 7"},
    {"the score raised and the chain rewritten",
     [](QList<QByteArray> lines) {
         lines.last() = withField(lines.last(), QStringLiteral("score"), 45);
         return rechained(lines);
     },
     46, "the recorded score 45 differs from the score 41"},
};

int firstProblemEvent(const VerificationResult& result)
{
    return result.problems.empty() ? -1 : result.problems.front().event;
}
} // namespace

TEST(JournalTamper, untouchedJournal_isValid)
{
    const AttemptScript script = finishedAttempt();
    const VerificationResult result = verifyJournal(script.bytes());
    EXPECT_EQ(result.verdict, Verdict::Valid) << result.verdictText.toStdString();
    EXPECT_TRUE(result.problems.empty());
    EXPECT_EQ(result.exitCode(), 0);
    EXPECT_EQ(result.events, 46);
    EXPECT_EQ(result.seal, script.seal());
    EXPECT_EQ(result.score, 41);
}

TEST(JournalTamper, everyTampering_isFoundAtTheEventItTouched)
{
    const AttemptScript script = finishedAttempt();
    for (const Tampering& c : Tamperings) {
        SCOPED_TRACE(c.name);
        const VerificationResult result = verifyJournal(joined(c.tamper(script.lines())));
        EXPECT_EQ(result.verdict, Verdict::Altered) << result.verdictText.toStdString();
        EXPECT_EQ(result.exitCode(), 1);
        EXPECT_EQ(firstProblemEvent(result), c.event) << result.verdictText.toStdString();
        EXPECT_TRUE(result.verdictText.contains(QStringLiteral("event %1: ").arg(c.event)))
            << result.verdictText.toStdString();
        EXPECT_TRUE(result.verdictText.contains(QLatin1StringView(c.says))) << result.verdictText.toStdString();
    }
}

TEST(JournalTamper, journalCutMidLine_isIncompleteAndNotAltered)
{
    const QList<QByteArray> lines = finishedAttempt().lines();
    struct Case
    {
        int completeLines;
        qsizetype partOfNextLine;
    };
    const Case cases[] = {{45, 50}, {45, 1}, {24, 90}, {1, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.completeLines);
        const QByteArray bytes = joined(lines.mid(0, c.completeLines)) + lines[c.completeLines].left(c.partOfNextLine);
        const VerificationResult result = verifyJournal(bytes);
        EXPECT_EQ(result.verdict, Verdict::Incomplete) << result.verdictText.toStdString();
        EXPECT_EQ(result.verdictText,
                  QStringLiteral("incomplete: journal ends early after event %1; no result").arg(c.completeLines));
        EXPECT_TRUE(result.partialLastLine);
        EXPECT_TRUE(result.problems.empty());
        EXPECT_EQ(result.exitCode(), 3);
        EXPECT_EQ(result.seal, sha256Hex(lines[c.completeLines - 1].chopped(1)));
    }
}

TEST(JournalTamper, crashBetweenLines_isIncompleteWithoutAPartialLine)
{
    const QList<QByteArray> lines = finishedAttempt().lines();
    const VerificationResult result = verifyJournal(joined(lines.mid(0, 30)));
    EXPECT_EQ(result.verdict, Verdict::Incomplete);
    EXPECT_EQ(result.verdictText, QStringLiteral("incomplete: journal ends early after event 30; no result"));
    EXPECT_EQ(result.exitCode(), 3);
    EXPECT_FALSE(result.partialLastLine);
    // The answers so far are still scored.
    EXPECT_EQ(result.score, 28);
}

TEST(JournalTamper, writtenDownSeal_catchesAJournalRewrittenFromTheStart)
{
    const AttemptScript script = finishedAttempt();
    QList<QByteArray> forged = script.lines();
    forged.removeAt(43); // the correction's second edit, as if 2/11 had stayed wrong
    for (int index = 43; index < forged.size(); ++index)
        forged[index] = withField(forged[index], QStringLiteral("n"), index + 1);
    forged.last() = withField(forged.last(), QStringLiteral("score"), 40);
    forged = rechained(forged);

    const VerificationResult unsealed = verifyJournal(joined(forged));
    EXPECT_EQ(unsealed.verdict, Verdict::Valid) << "a consistent rewrite passes without the seal";
    VerifyOptions options;
    options.expectedSeal = shortSeal(script.seal());
    const VerificationResult sealed = verifyJournal(joined(forged), options);
    EXPECT_EQ(sealed.verdict, Verdict::Altered);
    EXPECT_TRUE(sealed.verdictText.contains(shortSeal(script.seal()))) << sealed.verdictText.toStdString();
    EXPECT_EQ(verifyJournal(script.bytes(), options).verdict, Verdict::Valid);
}

TEST(JournalTamper, givenSeal_isReadLenientlyOrRefusedAsNoSeal)
{
    const AttemptScript script = finishedAttempt();
    const QString full = QString::fromLatin1(script.seal());
    QString lastDigitWrong = full;
    lastDigitWrong.back() = full.back() == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
    struct Case
    {
        const char* name;
        QString seal;
        Verdict verdict;
        int exitCode;
    };
    const Case cases[] = {
        {"short, with O and l read for 0 and 1",
         shortSeal(script.seal()).replace(QLatin1Char('0'), QLatin1Char('O')).replace(QLatin1Char('1'), u'l'),
         Verdict::Valid, 0},
        {"full", full, Verdict::Valid, 0},
        {"full, its last digit wrong", lastDigitWrong, Verdict::Altered, 1},
        {"another journal's", QStringLiteral("0000 1111 2222 3333"), Verdict::Altered, 1},
        {"a letter no seal holds", shortSeal(script.seal()).replace(2, 1, QLatin1Char('Q')), Verdict::NotASeal, 2},
        {"a digit short", shortSeal(script.seal()).chopped(1), Verdict::NotASeal, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VerifyOptions options;
        options.expectedSeal = c.seal;
        const VerificationResult result = verifyJournal(script.bytes(), options);
        EXPECT_EQ(result.verdict, c.verdict) << result.verdictText.toStdString();
        EXPECT_EQ(result.exitCode(), c.exitCode);
        if (c.verdict == Verdict::NotASeal) {
            EXPECT_TRUE(result.verdictText.startsWith(QStringLiteral("not a seal: \"%1\": ").arg(c.seal)))
                << result.verdictText.toStdString();
            EXPECT_FALSE(result.wasChecked());
            EXPECT_EQ(result.events, 0) << "a journal checked against no seal";
        }
    }
}

TEST(JournalTamper, restores_areNamedInTheVerdict)
{
    struct Case
    {
        const char* name;
        std::vector<std::vector<std::pair<int, QString>>> restores;
        bool ended;
        const char* verdict;
    };
    const AttemptScript digits;
    const auto q = [&digits](int index) { return std::pair{index, digits.question(index)}; };
    const Case cases[] = {
        {"one restore of one cell", {{q(21)}}, true, "valid, with 1 restore of 1 cell"},
        {"one restore of two cells", {{q(21), q(22)}}, true, "valid, with 1 restore of 2 cells"},
        {"two restores", {{q(21), q(22)}, {q(23)}}, true, "valid, with 2 restores of 3 cells"},
        {"no end",
         {{q(21), q(22)}},
         false,
         "incomplete: journal ends early after event 23, with 1 restore of 2 cells; no result"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AttemptScript script;
        script.countdownEnds(3'000).typeDigits(1, 20, 4'000, 800);
        qint64 ms = 20'000;
        int restored = 0;
        for (const auto& cells : c.restores) {
            script.restore(cells, 0.0f, ms += 500);
            restored += int(cells.size());
        }
        if (c.ended) {
            script.box(BoxKind::Finish, BoxAnswer::Yes, AnsweredBy::User, 21'500, 22'000);
            script.end(EndReason::Finish, 19.0f, 20 + restored, 22'000);
        }
        const VerificationResult result = verifyJournal(script.bytes());
        EXPECT_EQ(result.verdictText, QLatin1StringView(c.verdict));
        EXPECT_EQ(result.exitCode(), c.ended ? 0 : 3);
        // Each restore is told apart with its cells, and warned of.
        const QString summary = journalSummaryText(result);
        EXPECT_EQ(summary.count(QStringLiteral("\nRestore      event ")), qsizetype(c.restores.size()))
            << summary.toStdString();
        EXPECT_EQ(result.warnings.size(), qsizetype(c.restores.size()));
        ASSERT_FALSE(result.restores.empty());
        EXPECT_EQ(result.restores.front().firstCell, std::make_pair(1, 21));
    }
}

// What a restore changed is read from the sheet as replayed: the runs of cells, the typed answers it
// replaced, and which answers still stand as restored.
TEST(JournalTamper, restore_isReadCellByCell)
{
    AttemptScript script;
    script.countdownEnds(3'000).typeDigits(1, 20, 4'000, 800);
    script.type(1, 5, script.wrongDigit(5), 20'000);
    script.restore({{5, script.question(5)},
                    {21, script.question(21)},
                    {22, script.question(22)},
                    {23, script.question(23)},
                    {30, script.question(30)}},
                   0.0f, 20'500);
    script.type(1, 22, script.wrongDigit(22), 21'000);
    const VerificationResult result = verifyJournal(script.bytes());
    ASSERT_EQ(result.restores.size(), 1u);
    const RestoreEntry& restore = result.restores.front();
    EXPECT_EQ(restore.cellsChanged, 5);
    ASSERT_EQ(restore.cellRuns.size(), 3u);
    EXPECT_EQ(restore.cellRuns[0].first, 4u);
    EXPECT_EQ(restore.cellRuns[1].first, 20u);
    EXPECT_EQ(restore.cellRuns[1].last, 22u);
    EXPECT_EQ(restore.cellRuns[2].last, 29u);
    ASSERT_EQ(restore.overwritten.size(), 1u);
    EXPECT_EQ(restore.overwritten[0].column, 5);
    EXPECT_EQ(restore.overwritten[0].oldText, script.wrongDigit(5));
    EXPECT_EQ(restore.overwritten[0].newText, script.question(5));
    const std::pair<int, bool> restoredCells[] = {{5, true}, {6, false}, {21, true}, {22, false}, {30, true}};
    for (const auto& [digit, restored] : restoredCells)
        EXPECT_EQ(result.cells[std::size_t(digit - 1)].restored, restored) << "digit " << digit;
}

// The program restores only drafts of digits; a restore that brings anything else was not written by it.
TEST(JournalTamper, restoreOfAnythingButADigit_isAnAlteration)
{
    for (const QString& text : {QStringLiteral("x"), QStringLiteral("12"), QStringLiteral(" ")}) {
        SCOPED_TRACE(text.toStdString());
        AttemptScript script;
        script.countdownEnds(3'000).typeDigits(1, 20, 4'000, 800);
        script.restore({{21, script.question(21)}, {22, text}}, 0.0f, 20'500);
        const VerificationResult result = verifyJournal(script.bytes());
        EXPECT_EQ(result.verdict, Verdict::Altered) << result.verdictText.toStdString();
        EXPECT_TRUE(result.verdictText.contains(QStringLiteral("is not a digit"))) << result.verdictText.toStdString();
        if (!pythonProgram().isEmpty()) {
            EXPECT_TRUE(agreesWithIndependentVerifier(script.bytes()));
        }
    }
}

TEST(JournalTamper, notAJournal_cannotBeRead)
{
    const QList<QByteArray> lines = finishedAttempt().lines();
    struct Case
    {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty", QByteArray()},
        {"a partial first line", lines[0].left(40)},
        {"text", "hello\nworld\n"},
        {"starts with an edit", joined(lines.mid(3, 5))},
        {"a draft", "<?xml version='1.0' encoding='utf-8'?>\n<Korvalin><SpecialNumbers/></Korvalin>\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const VerificationResult result = verifyJournal(c.bytes);
        EXPECT_EQ(result.verdict, Verdict::Unreadable) << result.verdictText.toStdString();
        EXPECT_EQ(result.exitCode(), 2);
        EXPECT_TRUE(result.verdictText.startsWith(QStringLiteral("cannot be read: ")));
    }
    const VerificationResult missing = verifyJournalFile(QStringLiteral("/nonexistent/attempt_1.journal"));
    EXPECT_EQ(missing.exitCode(), 2);
    EXPECT_TRUE(missing.verdictText.contains(QStringLiteral("attempt_1.journal")));
}

TEST(JournalTamper, garbledLineInTheMiddle_isAnAlteration)
{
    QList<QByteArray> lines = finishedAttempt().lines();
    lines[20] = "{\"e\":\"edit\",\"n\":21,\n";
    const VerificationResult result = verifyJournal(joined(lines));
    EXPECT_EQ(result.verdict, Verdict::Altered);
    EXPECT_EQ(firstProblemEvent(result), 21);
}

TEST(JournalTamper, digitSourceOfAnotherNumber_isAnAlteration)
{
    QList<QByteArray> lines = finishedAttempt().lines();
    lines[0] = withField(lines[0], QStringLiteral("sourceSha256"), QString::fromLatin1(sha256Hex("14159")));
    const VerificationResult result = verifyJournal(joined(rechained(lines)));
    EXPECT_EQ(result.verdict, Verdict::Altered);
    EXPECT_EQ(firstProblemEvent(result), 1);
    EXPECT_TRUE(result.verdictText.contains(QStringLiteral("digit source"))) << result.verdictText.toStdString();
}

TEST(JournalTamper, independentVerifier_judgesEveryChangedJournalAlike)
{
    if (pythonProgram().isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    const AttemptScript script = finishedAttempt();
    const QList<QByteArray> lines = script.lines();
    EXPECT_TRUE(agreesWithIndependentVerifier(script.bytes()));
    for (const Tampering& c : Tamperings) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(agreesWithIndependentVerifier(joined(c.tamper(lines))));
    }

    // Changes a forger who knows the format makes, with the chain rewritten: only the replay finds them.
    const auto without = [](const QByteArray& line, const QString& key) {
        QJsonObject object = objectOfLine(line);
        object.remove(key);
        QByteArray changed = QJsonDocument(object).toJson(QJsonDocument::Compact);
        changed.append('\n');
        return changed;
    };
    const auto settingsWith = [](const QByteArray& line, const QString& key, int value) {
        QJsonObject settings = objectOfLine(line).value(QLatin1StringView("settings")).toObject();
        settings.insert(key, value);
        return withField(line, QStringLiteral("settings"), settings);
    };
    const struct
    {
        const char* name;
        std::function<void(QList<QByteArray>&)> change;
    } rewrites[] = {
        {"an edit's time before the one before", [](auto& l) { l[20] = withField(l[20], QStringLiteral("ms"), 100); }},
        {"an edit without its old text", [&](auto& l) { l[12] = without(l[12], QStringLiteral("old")); }},
        {"an edit's old text wrong",
         [](auto& l) { l[12] = withField(l[12], QStringLiteral("old"), QStringLiteral("5")); }},
        {"an unknown kind of event",
         [](auto& l) { l[30] = withField(l[30], QStringLiteral("e"), QStringLiteral("poke")); }},
        {"a second start", [](auto& l) { l[30] = withField(l[30], QStringLiteral("e"), QStringLiteral("start")); }},
        {"the used time raised", [](auto& l) { l.last() = withField(l.last(), QStringLiteral("used"), 37.5); }},
        {"an end reason the program does not know",
         [](auto& l) { l.last() = withField(l.last(), QStringLiteral("reason"), QStringLiteral("won")); }},
        {"the digits of another number",
         [](auto& l) { l[0] = withField(l[0], QStringLiteral("sourceSha256"), QString(64, QLatin1Char('a'))); }},
        {"a row length the program does not offer",
         [&](auto& l) { l[0] = settingsWith(l[0], QStringLiteral("digitsPerRow"), 35); }},
        {"a shorter countdown",
         [&](auto& l) { l[0] = settingsWith(l[0], QStringLiteral("concentrationSeconds"), 10); }},
        {"e instead of pi", [&](auto& l) { l[0] = settingsWith(l[0], QStringLiteral("number"), 2); }},
        {"the box answered by itself",
         [](auto& l) { l[44] = withField(l[44], QStringLiteral("by"), QStringLiteral("countdown")); }},
        {"a digit 20 s late",
         [](auto& l) {
             for (int index = 30; index < l.size(); ++index) {
                 const qint64 ms = objectOfLine(l[index]).value(QLatin1StringView("ms")).toInteger();
                 l[index] = withField(l[index], QStringLiteral("ms"), ms + 20'000);
             }
         }},
    };
    for (const auto& c : rewrites) {
        SCOPED_TRACE(c.name);
        QList<QByteArray> changed = lines;
        c.change(changed);
        EXPECT_TRUE(agreesWithIndependentVerifier(joined(rechained(changed))));
    }

    // Cut short, within a line or between lines, and with the end alone cut off.
    for (const int complete : {45, 30, 2, 1}) {
        SCOPED_TRACE(complete);
        EXPECT_TRUE(agreesWithIndependentVerifier(joined(lines.mid(0, complete))));
        EXPECT_TRUE(agreesWithIndependentVerifier(joined(lines.mid(0, complete)) + lines[complete].left(20)));
    }
    EXPECT_TRUE(agreesWithIndependentVerifier(QByteArray("not a journal\n")));
    EXPECT_TRUE(agreesWithIndependentVerifier(QByteArray()));

    const QString seal = shortSeal(script.seal());
    for (const QString& written :
         {seal, QString(seal).replace(QLatin1Char('0'), QLatin1Char('O')).toLower(), QString::fromLatin1(script.seal()),
          QStringLiteral("0000 1111 2222 3333"), QString(seal).replace(2, 1, QLatin1Char('Q')), seal.chopped(1)}) {
        SCOPED_TRACE(written.toStdString());
        VerifyOptions options;
        options.expectedSeal = written;
        EXPECT_TRUE(agreesWithIndependentVerifier(script.bytes(), options));
    }
}
