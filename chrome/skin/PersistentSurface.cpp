#include "skin/PersistentSurface.h"

#include "skin/SurfaceImage.h"

#include <QWidget>

PersistentSurface::PersistentSurface(QWidget* owner) : m_owner(owner) {}

QSize PersistentSurface::size() const
{
    return m_image.deviceIndependentSize().toSize();
}

void PersistentSurface::resize(QSize size, QColor fill)
{
    const qreal ratio = m_owner ? m_owner->devicePixelRatio() : 1.0;
    if (size == this->size() && ratio == m_image.devicePixelRatio())
        return;
    QImage resized = surfaceImage(size.expandedTo(QSize(1, 1)), ratio);
    resized.fill(fill);
    if (!m_image.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(QPoint(0, 0), m_image);
    }
    m_image = resized;
    present();
}

void PersistentSurface::present()
{
    // A shallow copy: the two images part only when one of them is painted on again.
    m_screen = m_image;
    requestRepaint();
}

void PersistentSurface::paintOnto(QPainter& painter, const QRect& exposed) const
{
    const qreal ratio = m_screen.devicePixelRatio();
    if (ratio == 1.0)
        painter.drawImage(exposed.topLeft(), m_screen, exposed);
    else
        painter.drawImage(QRectF(exposed), m_screen,
                          QRectF(QPointF(exposed.topLeft()) * ratio, QSizeF(exposed.size()) * ratio));
}

void PersistentSurface::requestRepaint()
{
    if (m_owner)
        m_owner->update();
}
