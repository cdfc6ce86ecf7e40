#include "skin/PersistentSurface.h"

#include <QWidget>

PersistentSurface::PersistentSurface(QWidget* owner) : m_owner(owner) {}

void PersistentSurface::resize(QSize size, QColor fill)
{
    if (size == m_image.size())
        return;
    QImage resized(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
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
    painter.drawImage(exposed.topLeft(), m_screen, exposed);
}

void PersistentSurface::requestRepaint()
{
    if (m_owner)
        m_owner->update();
}
