#pragma once

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QPointF>

class QWidget;

// A 1280 × 800 stand-in for the skin: every button piece and strip sprite is one solid colour, so a
// probed pixel tells which piece landed there.
namespace SyntheticSkin {
QImage make();
// state: 0 "N", 1 "H", 2 "P"
QColor leftCap(int state);
QColor middleTile(int state);
// Column 0 of every middle tile, to show where the tiles start.
QColor middleTileMarker(int state);
QColor rightCap(int state);
// slot 1 to 4; row 0 normal, 1 hover, 2 pressed
QColor stripSprite(int slot, int row);
} // namespace SyntheticSkin

void sendMouse(QWidget& widget, QEvent::Type type, QPointF pos, Qt::MouseButton button = Qt::NoButton,
               Qt::MouseButtons buttons = Qt::NoButton);
QColor probe(QWidget& widget, int x, int y);
