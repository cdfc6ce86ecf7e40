#pragma once

#include "training/TrainingNumber.h"

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class SkinButton;

// What the training window's views share of the program's look: Tahoma, the labels' dark blue and red.
namespace TrainingLook {
inline constexpr QRgb TextColour = qRgb(0, 0, 128);
inline constexpr QRgb WarningColour = qRgb(192, 0, 0);

QFont font(double pointSize, bool bold = false);
// A label of plain text in `colour` over the window's background.
QLabel* makeLabel(QWidget* parent, const char* objectName, double pointSize, bool bold, QRgb colour = TextColour);
// A skin button over the window's background, as the stage's buttons are.
SkinButton* makeButton(QWidget* parent, const char* objectName, const QString& caption);
// The number as the competitor reads it: "SQRT(2)", "Pi", "e".
QString numberCaption(TrainingNumber number);
} // namespace TrainingLook
