#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The three numbers a competitor trains, as the training store names them.
enum class TrainingNumber
{
    Sqrt2,
    Pi,
    E,
};

constexpr std::array<TrainingNumber, 3> AllTrainingNumbers = {TrainingNumber::Sqrt2, TrainingNumber::Pi,
                                                              TrainingNumber::E};

// "sqrt2", "pi" or "e": the `number` column of the training views and the first part of an item id.
QString numberName(TrainingNumber number);
std::optional<TrainingNumber> numberFromName(QStringView name);

// The built-in digits after the point, the same ones a record attempt asks.
const QString& numberDigits(TrainingNumber number);

// Where the settings window's type list holds the number, as a record attempt's journal names it.
int typeListPosition(TrainingNumber number);
std::optional<TrainingNumber> numberAtTypeListPosition(int position);
