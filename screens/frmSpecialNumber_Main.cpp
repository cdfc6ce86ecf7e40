#include "frmSpecialNumber_Main.h"

#include "Clock.h"
#include "FramePainter.h"
#include "SpecialNumbers.h"
#include "frmMain.h"

#include <QPaintEvent>
#include <QPainter>

namespace {
const QColor StageBackground(197, 214, 237);
}

frmSpecialNumber_Main::frmSpecialNumber_Main(frmMain& mainWindow, Clock& clock)
    : QWidget(&mainWindow, Qt::Window | Qt::FramelessWindowHint), m_main(mainWindow), m_clock(clock), m_surface(this)
{
    setObjectName(QStringLiteral("frmSpecialNumber_Main"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void frmSpecialNumber_Main::layOutStage()
{
    m_surface.resize(size(), StageBackground);
    m_surface.paintPersistent([this](QPainter& painter) {
        painter.fillRect(rect(), StageBackground);
        PaintStageFrame(painter, size(), QStringLiteral("SPECIAL NUMBERS (") + SelectedTypeCaption + QLatin1Char(')'),
                        QStringLiteral("RECALL STAGE"), 190);
    });
}

void frmSpecialNumber_Main::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    m_surface.paintOnto(painter, event->rect());
}

void frmSpecialNumber_Main::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!isMinimized())
        layOutStage();
}
