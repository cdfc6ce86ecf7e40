#include "journal/SealText.h"
#include "journal/JournalHash.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {
const QByteArray Seal = sha256Hex("attempt 0"); // its short form holds both 0 and 1

// The seal's short form with the given characters put in place of the ones at those positions.
QString shortWith(std::initializer_list<std::pair<qsizetype, QChar>> changes)
{
    QString text = shortSeal(Seal);
    for (const auto& [position, character] : changes)
        text[position] = character;
    return text;
}

QString inGroupsOfFour(const QString& text)
{
    QStringList groups;
    for (qsizetype at = 0; at < text.size(); at += 4)
        groups.append(text.mid(at, 4));
    return groups.join(u' ');
}
} // namespace

TEST(SealText, writtenDownSeal_isReadLenientlyWhereNothingIsAmbiguous)
{
    // Where the seal has 0 and 1, a person may have read O, I or L.
    const qsizetype zero = shortSeal(Seal).indexOf(QLatin1Char('0'));
    const qsizetype one = shortSeal(Seal).indexOf(QLatin1Char('1'));
    ASSERT_GE(zero, 0);
    ASSERT_GE(one, 0);
    struct Case
    {
        const char* name;
        QString writtenDown;
    };
    const Case cases[] = {
        {"as shown", shortSeal(Seal)},
        {"lower case", shortSeal(Seal).toLower()},
        {"no blanks", shortSeal(Seal).remove(QLatin1Char(' '))},
        {"dashes and tabs", shortSeal(Seal).replace(QLatin1Char(' '), QLatin1Char('-')).prepend(u'\t')},
        {"en dashes from a PDF", shortSeal(Seal).replace(QLatin1Char(' '), QChar(0x2013))},
        {"blanks around", QStringLiteral("  ") + shortSeal(Seal) + QStringLiteral(" \n")},
        {"letter O for 0", shortWith({{zero, QLatin1Char('O')}})},
        {"letter o for 0", shortWith({{zero, QLatin1Char('o')}})},
        {"letter I for 1", shortWith({{one, QLatin1Char('I')}})},
        {"letter l for 1", shortWith({{one, QLatin1Char('l')}})},
        {"dotless i for 1", shortWith({{one, QChar(0x0131)}})},
        {"full seal", QString::fromLatin1(Seal)},
        {"full seal upper case in groups", inGroupsOfFour(QString::fromLatin1(Seal.toUpper()))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SealText read = readSealText(c.writtenDown);
        EXPECT_TRUE(read.isSeal()) << read.problem.toStdString();
        EXPECT_TRUE(read.problem.isEmpty());
        EXPECT_TRUE(Seal.startsWith(read.hex)) << read.hex.toStdString();
        EXPECT_TRUE(read.matches(Seal));
        EXPECT_FALSE(read.matches(sha256Hex("korvalin")));
    }
}

TEST(SealText, anythingElse_isNoSealAndSaysWhy)
{
    struct Case
    {
        const char* name;
        QString writtenDown;
        const char* says;
    };
    const Case cases[] = {
        {"empty", QString(), "it has 0 hexadecimal digits"},
        {"blanks only", QStringLiteral(" - "), "it has 0 hexadecimal digits"},
        {"a letter no digit looks like", shortWith({{3, QLatin1Char('Q')}}), "Q is not a hexadecimal digit"},
        {"S is not read as 5", shortWith({{0, QLatin1Char('S')}}), "S is not a hexadecimal digit"},
        {"a character beyond Latin-1", shortWith({{5, QChar(0x0416)}}), "\u0416 is not a hexadecimal digit"},
        {"a dot between the groups", shortSeal(Seal).replace(QLatin1Char(' '), QLatin1Char('.')), ". is not"},
        {"one digit missing", shortSeal(Seal).chopped(1), "it has 15 hexadecimal digits; a seal has 16"},
        {"one digit too many", shortSeal(Seal) + QLatin1Char('a'), "it has 17 hexadecimal digits"},
        {"between short and full", QString::fromLatin1(Seal.left(32)), "it has 32 hexadecimal digits"},
        {"full seal and one more", QString::fromLatin1(Seal) + QLatin1Char('0'), "it has 65 hexadecimal digits"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SealText read = readSealText(c.writtenDown);
        EXPECT_FALSE(read.isSeal());
        EXPECT_TRUE(read.hex.isEmpty());
        EXPECT_FALSE(read.matches(Seal));
        EXPECT_TRUE(read.problem.contains(QString::fromUtf8(c.says))) << read.problem.toStdString();
    }
}
