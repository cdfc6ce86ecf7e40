#include "frmSpecialNumber_Main/TimeDisplay.h"

#include "skin/Fonts.h"

#include <QMouseEvent>
#include <QPaintEvent>

namespace {
const QColor TimeBackground(215, 229, 248);
}

TimeDisplay::TimeDisplay(QWidget* parent) : QWidget(parent), m_text(this, TimeBackground)
{
    setObjectName(QStringLiteral("picTime"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TimeDisplay::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    m_text.paintOnto(painter, event->rect());
}

void TimeDisplay::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    QFont displayFont(tahomaFamily());
    displayFont.setPointSizeF(FontPointSize);
    displayFont.setBold(true);
    setFont(displayFont);
    m_text.resize(m_resizeText ? m_resizeText() : QString());
}

void TimeDisplay::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
