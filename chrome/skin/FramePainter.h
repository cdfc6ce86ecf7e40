#pragma once

#include "skin/BackgroundGradient.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

// Painting of the window frames from the skin image. Each routine paints into the painter it is given
// (normally the window's persistent surface) and leaves presenting to the caller.

QFont settingsTitleFont(); // Tahoma, bold, 28 pt
QFont stageTitleFont();    // Arial, bold, 15 pt
QFont stageSubtitleFont(); // Arial, bold, 12 pt

struct SettingsDecorationPlacement
{
    QPoint emblem;
    QPoint banner;
};

// Where the settings look puts the emblem picture and the banner strip in a window of `window` size
// whose title font is `titleLineHeight` pixels high.
SettingsDecorationPlacement settingsDecorationPlacement(QSize window, int titleLineHeight);

// The frame slices along the four edges; the top band uses `topSlice` and may run past the right edge.
void paintEdgeBands(QPainter& painter, int width, int height, const QRect& topSlice);

// The settings window's frame and header in its settings look (title, emblem and banner) or, with
// `competitionMode`, its competition look. The caller clears the surface to the inner colour first and
// frames the settings panel with DrawControlFrame afterwards.
void paintSettingsLook(QPainter& painter, QSize window, bool competitionMode);

// Frame, title and subtitle of the recall-stage and results windows. The caller clears the surface
// first. Leaves the painter's font at Arial bold 12 pt.
void PaintStageFrame(QPainter& painter, QSize window, const QString& title, const QString& subtitle, int titleX);

// The 4-pixel skin border round `control` (its geometry in the painter's coordinates).
void DrawControlFrame(QPainter& painter, const QRect& control);
