#pragma once

#include <QPointF>
#include <QRectF>
#include <QtGlobal>

class QImage;
class QPainter;

// The built-in skin image, 1280 x 800, loaded once. Every frame, border, button and title-bar look is
// copied out of it unscaled by the source rectangles in SkinPieces.h.
const QImage& skinImage();

// The same artwork drawn at twice the size (2560 x 1600, device pixel ratio 2), loaded the first time a
// screen with more than one device pixel to a logical pixel paints. Null when the build lacks it.
const QImage& skinImage2x();

// Starts decoding the skin picture a screen of `devicePixelRatio` will need on another thread, so that it
// overlaps the rest of the start; the first use waits for it. Optional, and at most once.
void preloadSkinImage(qreal devicePixelRatio);

/**
 * Copies the skin rectangle @p piece (in 1280 x 800 coordinates) unscaled to @p at, in the painter's
 * logical pixels. Where the painter's device has more than one device pixel to a logical pixel and
 * @p skin is the built-in skin, the piece is taken from skinImage2x(), so it stays as sharp as text;
 * the rectangles it covers are the same at every scale.
 */
void blitSkinPiece(QPainter& painter, QPointF at, const QImage& skin, const QRectF& piece);
