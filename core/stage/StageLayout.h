#pragma once

#include "stage/GridLayout.h"

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSizeF>

// Where the recall stage window puts its controls for a client area of a given size. The answer grid
// is centred once its columns are sized, and the buttons and the group label follow its edges.
struct StageLayout
{
    int timePanelX = 0; // left of the 350-pixel time tab that hangs from y = 26
    QRect timeDisplay;
    QRectF grid;
    int columnUnits = 0; // every data column of the grid
    QPointF groupLabel;  // top-left; the label keeps its own size
    QRectF finishButton;
    QRectF backButton;
    QRectF concentrationPanel;
};

constexpr int TimePanelWidth = 350;
constexpr int TimePanelTop = 26;

StageLayout layOutStage(QSizeF client, int digitsPerRow, const ColumnWidthReadBack& readBack = {});

// CANCEL on the concentration panel, in the panel's coordinates.
QRectF cancelButtonRect(QSizeF concentrationPanel);
