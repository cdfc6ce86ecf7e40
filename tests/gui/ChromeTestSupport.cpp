#include "ChromeTestSupport.h"

#include "skin/Fonts.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

namespace {
constexpr int ButtonRows[] = {593, 643, 693};
constexpr int SpriteRows[] = {179, 194, 209};
constexpr int SpriteXs[] = {0, 89, 106, 174, 157};
} // namespace

namespace SyntheticSkin {
QColor leftCap(int state)
{
    return QColor(200, 30 + 40 * state, 30);
}

QColor middleTile(int state)
{
    return QColor(20, 220, 30 + 40 * state);
}

QColor middleTileMarker(int state)
{
    return QColor(120, 250, 30 + 40 * state);
}

QColor rightCap(int state)
{
    return QColor(30, 30 + 40 * state, 200);
}

QColor stripSprite(int slot, int row)
{
    return QColor(50 * slot, 100 + 50 * row, 77);
}

QImage make()
{
    QImage skin(1280, 800, QImage::Format_RGB32);
    skin.fill(QColor(128, 128, 128));
    QPainter painter(&skin);
    for (int state = 0; state < 3; ++state) {
        const int y = ButtonRows[state];
        painter.fillRect(68, y, 20, 50, leftCap(state));
        painter.fillRect(90, y, 10, 50, middleTile(state));
        painter.fillRect(90, y, 1, 50, middleTileMarker(state));
        painter.fillRect(228, y, 20, 50, rightCap(state));
    }
    for (int slot = 1; slot <= 4; ++slot) {
        for (int row = 0; row < 3; ++row)
            painter.fillRect(SpriteXs[slot], SpriteRows[row], 17, 15, stripSprite(slot, row));
    }
    return skin;
}
} // namespace SyntheticSkin

void sendMouse(QWidget& widget, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget.mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

QColor probe(QWidget& widget, int x, int y)
{
    return widget.grab().toImage().pixelColor(x, y);
}
