#include "rules/AttemptRules.h"

bool isDigitText(const QString& text)
{
    return text.size() == 1 && isDigitCharacter(text.at(0).unicode());
}

bool isNewDigit(const QString& committedText, int digitIndex, int nextDigitIndex)
{
    return isEntry(committedText) && digitIndex >= nextDigitIndex;
}
