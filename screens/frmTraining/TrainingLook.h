#pragma once

#include "training/TrainingNumber.h"

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;

// What the training window's views share of the program's look: Tahoma, the labels' dark blue and red.
namespace TrainingLook {
inline constexpr QRgb TextColour = qRgb(0, 0, 128);
inline constexpr QRgb WarningColour = qRgb(192, 0, 0);

QFont font(double pointSize, bool bold = false);
// A label of plain text in `colour` over the window's background.
QLabel* makeLabel(QWidget* parent, const char* objectName, double pointSize, bool bold, QRgb colour = TextColour);
// The number as the competitor reads it: "SQRT(2)", "Pi", "e".
QString numberCaption(TrainingNumber number);
} // namespace TrainingLook
