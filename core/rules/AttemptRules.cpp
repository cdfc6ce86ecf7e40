#include "rules/AttemptRules.h"

#include <cmath>

bool isDigitText(const QString& text)
{
    return text.size() == 1 && isDigitCharacter(text.at(0).unicode());
}

bool isNewDigit(const QString& committedText, int digitIndex, int nextDigitIndex)
{
    return isEntry(committedText) && digitIndex >= nextDigitIndex;
}

qint64 wholeMilliseconds(double seconds)
{
    return static_cast<qint64>(std::floor(seconds * 1000.0));
}
