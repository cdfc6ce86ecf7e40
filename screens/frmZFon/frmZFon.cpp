#include "frmZFon/frmZFon.h"

#include "skin/FramePainter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

frmZFon::frmZFon(std::function<QWidget*()> workingScreen, std::function<bool()> mainMinimised)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), m_workingScreen(std::move(workingScreen)),
      m_mainMinimised(std::move(mainMinimised))
{
    setObjectName(QStringLiteral("frmZFon"));
    setAutoFillBackground(false);
}

void frmZFon::showEvent(QShowEvent* event)
{
    if (!m_loaded)
        load();
    QWidget::showEvent(event);
    // Not every desktop activates a newly shown window; showing it must still leave it behind.
    passFocusOn();
}

void frmZFon::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    passFocusOn();
}

void frmZFon::load()
{
    m_loaded = true;
    // The whole display, not the work area: the background reaches under the task bars.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    setGeometry(screen);
    // Painted once per load and kept for the rest of the run.
    m_surface =
        PaintBackgroundGradient(screen.size(), QColor(80, 0, 0), QColor(0, 80, 0), QColor(0, 0, 80), QColor(40, 40, 0));
}

void frmZFon::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_surface);
}

bool frmZFon::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::FocusIn)
        passFocusOn();
    return handled;
}

void frmZFon::passFocusOn()
{
    if (m_mainMinimised && m_mainMinimised())
        return;
    QWidget* target = m_workingScreen ? m_workingScreen() : nullptr;
    if (!target || !target->isVisible())
        return;
    target->raise();
    target->activateWindow();
}
