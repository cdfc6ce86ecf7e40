#include "frmSpecialNumber_Main/TimeDisplay.h"

#include "skin/Fonts.h"
#include "skin/ShadowedText.h"

#include <QMouseEvent>
#include <QPaintEvent>

namespace {
const QColor TimeBackground(215, 229, 248);
}

TimeDisplay::TimeDisplay(QWidget* parent) : QWidget(parent), m_surface(this)
{
    setObjectName(QStringLiteral("picTime"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TimeDisplay::showShadowedText(const QString& text)
{
    // A count-down display is told to draw on nearly every 10 ms tick; the same text paints the same
    // pixels, so only a change is painted.
    if (m_drawn && text == m_shownText)
        return;
    m_surface.paintPersistent([&](QPainter& painter) {
        painter.setFont(font());
        drawShadowedText(painter, size(), TimeBackground, text);
    });
    m_shownText = text;
    m_drawn = true;
}

void TimeDisplay::showBlank()
{
    m_surface.paintPersistent([&](QPainter& painter) { painter.fillRect(rect(), TimeBackground); });
    m_shownText.clear();
    m_drawn = false;
}

void TimeDisplay::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    m_surface.paintOnto(painter, event->rect());
}

void TimeDisplay::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    QFont displayFont(tahomaFamily());
    displayFont.setPointSizeF(FontPointSize);
    displayFont.setBold(true);
    setFont(displayFont);
    m_surface.resize(size(), TimeBackground);
    const QString text = m_resizeText ? m_resizeText() : QString();
    m_drawn = false;
    if (text.isEmpty())
        showBlank();
    else
        showShadowedText(text);
}

void TimeDisplay::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
