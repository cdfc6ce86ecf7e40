#include "buttons/PFormKontrol.h"

#include "skin/Skin.h"
#include "skin/SurfaceImage.h"

#include <QMouseEvent>
#include <QPainter>

PFormKontrol::PFormKontrol(const QImage& skin, QWidget* parent)
    : QWidget(parent), m_skin(skin), m_surface(surfaceImage(QSize(4 * SlotWidth, SlotHeight), devicePixelRatio()))
{
    setObjectName(QStringLiteral("PFormKontrol"));
    setFixedSize(4 * SlotWidth, SlotHeight);
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
    m_surface.fill(Qt::black);
    paintRestingImage();
}

quint8 PFormKontrol::slotAt(double x)
{
    if (x <= 0 || x > 4 * SlotWidth)
        return 0;
    const int slot = x <= SlotWidth ? 1 : x <= 2 * SlotWidth ? 2 : x <= 3 * SlotWidth ? 3 : 4;
    return slot == 3 ? 0 : static_cast<quint8>(slot);
}

int PFormKontrol::spriteX(int slot)
{
    static constexpr std::array<int, 5> xs{0, 89, 106, 174, 157};
    return slot >= 1 && slot <= 4 ? xs[static_cast<size_t>(slot)] : 0;
}

void PFormKontrol::drawSprite(QPainter& painter, int slot, int row) const
{
    blitSkinPiece(painter, QPointF((slot - 1) * SlotWidth, 0), m_skin,
                  QRectF(spriteX(slot), row, SlotWidth, SlotHeight));
}

void PFormKontrol::paintRestingImage()
{
    {
        QPainter painter(&m_surface);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (int slot = 1; slot <= 4; ++slot)
            drawSprite(painter, slot, NormalRow);
    }
    m_screenRow.fill(0);
    update();
}

// Persistent repaint of one slot; presenting the image also takes away every look drawn on the screen.
void PFormKontrol::repaintNormalSprite(int slot)
{
    {
        QPainter painter(&m_surface);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        drawSprite(painter, slot, NormalRow);
    }
    m_screenRow.fill(0);
    update();
}

void PFormKontrol::showOnScreen(int slot, int row)
{
    m_screenRow[static_cast<size_t>(slot)] = row;
    update();
}

void PFormKontrol::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, m_surface);
    for (int slot = 1; slot <= 4; ++slot) {
        if (m_screenRow[static_cast<size_t>(slot)] != 0)
            drawSprite(painter, slot, m_screenRow[static_cast<size_t>(slot)]);
    }
}

bool PFormKontrol::holdsCapture() const
{
    return QWidget::mouseGrabber() == this;
}

void PFormKontrol::mouseMoveEvent(QMouseEvent* event)
{
    const int slot = slotAt(event->position().x());
    const int hot = m_hotControlSlot;
    if (((slot != 0 && slot != hot) || (slot == 0 && holdsCapture())) && hot != 0)
        showOnScreen(hot, NormalRow);
    if (slot == 0) {
        if (holdsCapture()) {
            releaseMouse();
            m_hotControlSlot = 0;
        }
        return;
    }
    if (slot != hot) {
        showOnScreen(slot, event->buttons() == Qt::LeftButton ? PressedRow : HoverRow);
        grabMouse();
        m_hotControlSlot = static_cast<quint8>(slot);
    }
}

void PFormKontrol::mousePressEvent(QMouseEvent*)
{
    if (m_hotControlSlot != 0)
        showOnScreen(m_hotControlSlot, PressedRow);
}

void PFormKontrol::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        click();
}

void PFormKontrol::click()
{
    if (holdsCapture())
        releaseMouse();
    switch (m_hotControlSlot) {
    case 1:
        emit toggleBackgroundRequested();
        repaintNormalSprite(1);
        m_hotControlSlot = 0;
        break;
    case 2:
        emit minimiseRequested();
        repaintNormalSprite(2);
        m_hotControlSlot = 0;
        break;
    case 4:
        // Closing the settings window may delete the strip: nothing may touch it afterwards.
        emit closeRequested();
        break;
    default:
        break;
    }
}
