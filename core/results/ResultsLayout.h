#pragma once

#include <QRectF>
#include <QSizeF>

// Where the results window puts its controls for a client area of a given size. Positions stay real
// valued, as the arithmetic gives them; the window rounds them when it places the controls.
struct ResultsLayout
{
    QRectF scoreTable;
    QRectF finishButton;
    QRectF questionTable;
    int columnUnits = 0; // every data column of the question table, in 1/15 pixel
    QRectF explanation;
};

constexpr double ScoreTableWidth = 700.0;
constexpr double ScoreTableHeight = 100.0;
constexpr double ExplanationHeight = 20.0;

ResultsLayout layOutResults(QSizeF client, int digitsPerRow);
