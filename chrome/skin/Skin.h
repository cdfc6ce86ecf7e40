#pragma once

class QImage;

// The built-in skin image, 1280 x 800, loaded once. Every frame, border, button and title-bar look is
// copied out of it unscaled by the source rectangles in SkinPieces.h.
const QImage& skinImage();
