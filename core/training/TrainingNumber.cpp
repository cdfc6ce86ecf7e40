#include "training/TrainingNumber.h"

#include "digits/SpecialNumbers.h"

QString numberName(TrainingNumber number)
{
    switch (number) {
    case TrainingNumber::Sqrt2:
        return QStringLiteral("sqrt2");
    case TrainingNumber::Pi:
        return QStringLiteral("pi");
    case TrainingNumber::E:
        return QStringLiteral("e");
    }
    return {};
}

std::optional<TrainingNumber> numberFromName(QStringView name)
{
    for (const TrainingNumber number : AllTrainingNumbers) {
        if (name == numberName(number))
            return number;
    }
    return std::nullopt;
}

const QString& numberDigits(TrainingNumber number)
{
    switch (number) {
    case TrainingNumber::Sqrt2:
        return digitsForResourceKey(102);
    case TrainingNumber::Pi:
        return digitsForResourceKey(103);
    case TrainingNumber::E:
        break;
    }
    return digitsForResourceKey(101);
}

std::optional<TrainingNumber> numberAtTypeListPosition(int position)
{
    const QString& digits = digitsForResourceKey(resourceKeyForPosition(position));
    for (const TrainingNumber number : AllTrainingNumbers) {
        if (&numberDigits(number) == &digits)
            return number;
    }
    return std::nullopt;
}

int typeListPosition(TrainingNumber number)
{
    for (int position = 0; position < int(AllTrainingNumbers.size()); ++position) {
        if (numberAtTypeListPosition(position) == number)
            return position;
    }
    return 0;
}
