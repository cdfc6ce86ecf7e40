#include "digits/SpecialNumbers.h"

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <string>

// The expected digits are computed here with plain integer arithmetic, independently of the tool that
// made the built-in strings. Every series below has a known error bound in units of the last computed
// digit; the truncation is only accepted when the whole error interval gives the same kept digits.

namespace {

constexpr unsigned long GuardDigits = 20;

mpz_class powerOfTen(unsigned long exponent)
{
    mpz_class result;
    mpz_ui_pow_ui(result.get_mpz_t(), 10, exponent);
    return result;
}

// The first `count` decimals of a value known to lie in [low, high], both in units of
// 10^-(count + GuardDigits).
std::string truncatedDecimals(const mpz_class& low, const mpz_class& high, unsigned long count)
{
    const mpz_class guard = powerOfTen(GuardDigits);
    const mpz_class kept = low / guard;
    EXPECT_EQ(kept, high / guard) << "guard digits do not settle the truncation";
    const std::string all = kept.get_str();
    // One integer digit for each of the three numbers.
    EXPECT_EQ(all.size(), count + 1);
    return all.substr(1);
}

std::string sqrt2Decimals(unsigned long count)
{
    // floor(sqrt(2·10^2n)) is exactly the truncation of sqrt(2)·10^n: no guard digits needed.
    mpz_class root;
    const mpz_class radicand = 2 * powerOfTen(2 * count);
    mpz_sqrt(root.get_mpz_t(), radicand.get_mpz_t());
    return root.get_str().substr(1);
}

std::string eDecimals(unsigned long count)
{
    // e = Σ 1/k!. Each term floor(scale/k!) falls short by less than 1, and the series stops once a
    // term is 0, when the rest of the series adds less than 1 more.
    const mpz_class scale = powerOfTen(count + GuardDigits);
    mpz_class sum = 0;
    mpz_class term = scale;
    unsigned long terms = 0;
    for (unsigned long k = 1; term != 0; ++k) {
        sum += term;
        ++terms;
        term /= k;
    }
    return truncatedDecimals(sum, sum + terms + 1, count);
}

// scale·arctan(1/x) with the number of terms summed; each term is off by less than 1 and the series
// stops when the next term is below 1.
mpz_class arctanInverse(unsigned long x, const mpz_class& scale, unsigned long& terms)
{
    mpz_class sum = 0;
    mpz_class power = scale / x; // floor(scale / x^(2k+1)) for the current k
    const unsigned long xSquared = x * x;
    terms = 0;
    for (unsigned long k = 0; power != 0; ++k) {
        const mpz_class term = power / (2 * k + 1);
        if (k % 2 == 0)
            sum += term;
        else
            sum -= term;
        ++terms;
        power /= xSquared;
    }
    return sum;
}

std::string piDecimals(unsigned long count)
{
    // Machin: pi = 16·arctan(1/5) − 4·arctan(1/239).
    const mpz_class scale = powerOfTen(count + GuardDigits);
    unsigned long terms5 = 0;
    unsigned long terms239 = 0;
    const mpz_class pi = 16 * arctanInverse(5, scale, terms5) - 4 * arctanInverse(239, scale, terms239);
    const mpz_class error = 16 * (terms5 + 1) + 4 * (terms239 + 1);
    return truncatedDecimals(pi - error, pi + error, count);
}

std::string stored(int key)
{
    return digitsForResourceKey(key).toStdString();
}

// The 1-based position of the first differing decimal, for a failure message that points at it.
size_t firstDifference(const std::string& a, const std::string& b)
{
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return i + 1;
}

} // namespace

TEST(DigitSources, builtInStrings_equalTruncatedDecimals)
{
    const struct
    {
        const char* name;
        int key;
        std::size_t length;
        const char* firstDecimals;
        std::string (*reference)(unsigned long count);
    } sources[] = {
        {"sqrt2", 102, 10000, "4142", sqrt2Decimals},
        {"pi", 103, 32767, "1415", piDecimals},
        {"e", 101, 10000, "7182", eDecimals},
    };
    for (const auto& source : sources) {
        SCOPED_TRACE(source.name);
        const std::string digits = stored(source.key);
        ASSERT_EQ(digits.size(), source.length);
        EXPECT_EQ(digits.substr(0, 4), source.firstDecimals);
        const std::string expected = source.reference(source.length);
        EXPECT_TRUE(digits == expected) << "first wrong decimal: " << firstDifference(digits, expected);
    }
}

TEST(DigitSources, independentMethods_matchKnownDigits)
{
    // Guards the reference computations themselves against an off-by-one in scale or truncation.
    EXPECT_EQ(sqrt2Decimals(20), "41421356237309504880");
    EXPECT_EQ(piDecimals(20), "14159265358979323846");
    EXPECT_EQ(eDecimals(20), "71828182845904523536");
    // Decimals 762 to 767 of pi are six nines: cut inside them, decimals 760 to 765 must not carry into "350000".
    EXPECT_EQ(piDecimals(765).substr(759), "349999");
}

TEST(DigitSources, unknownKey_givesEmptyString)
{
    for (const int key : {0, 100, 104, -101, 1})
        EXPECT_TRUE(digitsForResourceKey(key).isEmpty()) << key;
}

TEST(DigitSources, repeatedLookup_returnsTheSameLoadedString)
{
    for (const int key : {101, 102, 103})
        EXPECT_EQ(&digitsForResourceKey(key), &digitsForResourceKey(key)) << key;
}

TEST(SpecialNumberTable, positions_mapToKeysOutOfListOrder)
{
    const struct
    {
        int position;
        int key;
    } cases[] = {{0, 102}, {1, 103}, {2, 101}, {-1, 0}, {3, 0}, {101, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(resourceKeyForPosition(c.position), c.key) << c.position;
}

TEST(SpecialNumberTable, entries_haveExactTexts)
{
    const QStringList& entries = specialNumberEntries();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].toStdString(), "Digits of SQRT(2)");
    EXPECT_EQ(entries[1].toStdString(), "Digits of \"Pi\"");
    EXPECT_EQ(entries[2].toStdString(), "Digits of Number \"e\"");
    EXPECT_EQ(entries[0].size(), 17);
    EXPECT_EQ(entries[1].size(), 14);
    EXPECT_EQ(entries[2].size(), 20);
}

class SelectSpecialNumberTest : public ::testing::Test
{
protected:
    void SelectSpecialNumber(int position, const QString& text) { m_choice.SelectSpecialNumber(position, text); }
    const QString& SelectedDigits() const { return m_choice.SelectedDigits(); }
    const QString& SelectedTypeCaption() const { return m_choice.SelectedTypeCaption(); }

    SpecialNumberChoice m_choice;
};

TEST_F(SelectSpecialNumberTest, listPosition_setsDigitsAndCaption)
{
    const struct
    {
        int position;
        int key;
        qsizetype length;
    } cases[] = {{0, 102, 10000}, {1, 103, 32767}, {2, 101, 10000}};
    for (const auto& c : cases) {
        const QString& caption = specialNumberEntries()[c.position];
        SelectSpecialNumber(c.position, caption);
        EXPECT_EQ(SelectedDigits().size(), c.length) << c.position;
        EXPECT_EQ(SelectedDigits(), digitsForResourceKey(c.key)) << c.position;
        EXPECT_EQ(SelectedTypeCaption(), caption) << c.position;
    }
}

TEST_F(SelectSpecialNumberTest, positionOutsideTable_keepsDigitsAndSetsCaption)
{
    SelectSpecialNumber(1, specialNumberEntries()[1]);
    for (const int position : {-1, 3, 7}) {
        SelectSpecialNumber(position, QString());
        EXPECT_EQ(SelectedDigits(), digitsForResourceKey(103)) << position;
        EXPECT_TRUE(SelectedTypeCaption().isEmpty()) << position;
    }
    SelectSpecialNumber(-1, QStringLiteral("typed text"));
    EXPECT_EQ(SelectedDigits(), digitsForResourceKey(103));
    EXPECT_EQ(SelectedTypeCaption(), QStringLiteral("typed text"));
}

TEST_F(SelectSpecialNumberTest, noPositionBeforeAnyChoice_leavesDigitsEmpty)
{
    SelectSpecialNumber(-1, QString());
    EXPECT_TRUE(SelectedDigits().isEmpty());
    EXPECT_TRUE(SelectedTypeCaption().isEmpty());
}

TEST_F(SelectSpecialNumberTest, changingChoice_replacesDigits)
{
    SelectSpecialNumber(1, specialNumberEntries()[1]);
    SelectSpecialNumber(2, specialNumberEntries()[2]);
    EXPECT_EQ(SelectedDigits(), digitsForResourceKey(101));
    EXPECT_EQ(SelectedTypeCaption(), specialNumberEntries()[2]);
}
