#include "buttons/SkinButton.h"

#include "buttons/DrawSkinButton.h"
#include "skin/SurfaceImage.h"

#include <QMouseEvent>
#include <QPainter>

SkinButton::SkinButton(const QImage& skin, const QString& caption, QWidget* parent)
    : QWidget(parent), m_skin(skin), m_caption(caption), m_captionFont(initialSkinButtonFont())
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
}

void SkinButton::setCaption(const QString& caption)
{
    m_caption = caption;
    paintResting();
}

void SkinButton::passFocusTo(QWidget* target)
{
    m_focusTarget = target;
}

bool SkinButton::holdsCapture() const
{
    return QWidget::mouseGrabber() == this;
}

// Persistent repaint: the normal look goes into the image and replaces whatever was drawn on the screen.
void SkinButton::paintResting()
{
    m_screenState.clear();
    if (size().isEmpty()) {
        m_surface = QImage();
    } else {
        m_surface = surfaceImage(size(), devicePixelRatio());
        m_surface.fill(palette().color(QPalette::Window));
        QPainter painter(&m_surface);
        DrawSkinButton(painter, m_skin, QSizeF(size()), QStringLiteral("N"), m_caption, m_captionFont);
    }
    update();
}

void SkinButton::showOnScreen(const QString& state)
{
    m_screenState = state;
    update();
}

void SkinButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_surface.isNull())
        painter.drawImage(0, 0, m_surface);
    if (!m_screenState.isEmpty())
        DrawSkinButton(painter, m_skin, QSizeF(size()), m_screenState, m_caption, m_captionFont);
}

void SkinButton::resizeEvent(QResizeEvent*)
{
    paintResting();
}

void SkinButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    // Column 0 and row 0 count as outside, the column just past the right edge as inside.
    bool inside = pos.x() > 0 && pos.x() <= width() && pos.y() > 0 && pos.y() <= height();
    if (holdsCapture() && !inside && m_buttonHot == 1)
        showOnScreen(QStringLiteral("N"));
    if (inside) {
        if (m_buttonHot != 1) {
            showOnScreen(event->buttons() == Qt::LeftButton ? QStringLiteral("P") : QStringLiteral("H"));
            grabMouse();
        }
        m_buttonHot = 1;
    } else if (holdsCapture()) {
        releaseMouse();
        m_buttonHot = 0;
    }
    setCursor(m_buttonHot == 1 ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void SkinButton::mousePressEvent(QMouseEvent*)
{
    if (m_buttonHot == 1)
        showOnScreen(QStringLiteral("P"));
}

void SkinButton::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a left press and release over the button; the gate then decides whether it counts.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        clickGate();
}

void SkinButton::clickGate()
{
    if (m_buttonHot == 0)
        return;
    if (holdsCapture())
        releaseMouse();
    paintResting();
    m_buttonHot = 0;
    emit clicked();
}

void SkinButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // A target that cannot take the focus just now leaves it here; nothing else is to be done about it.
    if (m_focusTarget)
        m_focusTarget->setFocus(Qt::OtherFocusReason);
}
