#pragma once

#include "skin/SkinPieces.h"

#include <QRgb>

#include <algorithm>
#include <cmath>

// Colours of the frame lines and a few helpers shared by the drawing steps of make_skin.
namespace SkinArt {

using SkinPieces::InnerColour;
using SkinPieces::OuterColour;
using SkinPieces::TitleStripColour;

inline constexpr QRgb FrameDark = qRgb(150, 154, 146);
inline constexpr QRgb FrameBlue = qRgb(160, 174, 192);
inline constexpr QRgb FrameLight = qRgb(219, 229, 242);
inline constexpr QRgb HeaderDark = qRgb(154, 158, 150);
inline constexpr QRgb HeaderBlue = qRgb(175, 186, 201);
inline constexpr QRgb StripLineDark = qRgb(136, 147, 163);
inline constexpr QRgb StripLineLight = qRgb(176, 192, 212);

inline constexpr QRgb Navy = qRgb(0, 0, 128);
inline constexpr QRgb TitleRed = qRgb(192, 0, 0);
inline constexpr QRgb DigitBlue = qRgb(11, 3, 103);
inline constexpr QRgb GlyphBlue = qRgb(64, 109, 169);

// Linear mix: t = 0 gives a, t = 1 gives b.
inline QRgb mix(QRgb a, QRgb b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    const auto channel = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)), channel(qBlue(a), qBlue(b)));
}

// How far round a quarter turn a point lies: 0 along the first axis, 1 along the second.
inline double quarterTurn(double along1, double along2)
{
    return std::atan2(std::max(0.0, along2), std::max(0.0, along1)) / (M_PI / 2);
}

} // namespace SkinArt
