#include "skin/ShadowedTextSurface.h"

#include "skin/ShadowedText.h"

#include <QWidget>

ShadowedTextSurface::ShadowedTextSurface(QWidget* owner, QColor background)
    : m_owner(owner), m_background(background), m_surface(owner)
{
}

void ShadowedTextSurface::show(const QString& text)
{
    // The stage asks for its time on nearly every 10 ms tick and for the countdown on every one.
    if (m_drawn && text == m_shownText)
        return;
    m_surface.paintPersistent([&](QPainter& painter) {
        painter.setFont(m_owner->font());
        drawShadowedText(painter, m_owner->size(), m_background, text);
    });
    m_shownText = text;
    m_drawn = true;
}

void ShadowedTextSurface::showBlank()
{
    m_surface.paintPersistent(
        [&](QPainter& painter) { painter.fillRect(QRect(QPoint(0, 0), m_owner->size()), m_background); });
    m_shownText.clear();
    m_drawn = false;
}

void ShadowedTextSurface::resize(const QString& text)
{
    m_surface.resize(m_owner->size(), m_background);
    // A text drawn for the old size would sit off centre.
    m_drawn = false;
    if (text.isEmpty())
        showBlank();
    else
        show(text);
}
