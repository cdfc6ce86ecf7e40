#pragma once

#include <QRect>
#include <QString>

// How the settings window fits the screen: refused below 768 pixels of height, the whole screen
// from 768 to 799, otherwise a 1280 x 800 window. Only the height is compared.
enum class ScreenFit
{
    Refused,
    WholeScreen,
    Standard
};

ScreenFit screenFitForHeight(int screenHeight);

inline const QString MinimumResolutionMessage = QStringLiteral("Minimum secreen resolution must be 1024x768");
constexpr int StandardWindowWidth = 1280;
constexpr int StandardWindowHeight = 800;

// The stage and results windows cover the settings window except its top 25 pixels.
constexpr int TitleStripHeight = 25;
QRect childScreenRect(const QRect& mainWindowRect);

// Centres a window of the given outer size on the work area; never at a negative position.
QRect centredOnWorkArea(const QRect& workArea, int windowWidth, int windowHeight);
