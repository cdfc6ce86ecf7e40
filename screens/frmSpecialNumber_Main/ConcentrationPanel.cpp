#include "frmSpecialNumber_Main/ConcentrationPanel.h"

#include "base/Rounding.h"
#include "buttons/SkinButton.h"
#include "skin/ShadowedText.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"
#include "stage/StageLayout.h"

#include <QPaintEvent>

ConcentrationPanel::ConcentrationPanel(QWidget* parent)
    : QWidget(parent), m_surface(this), m_cancel(new SkinButton(skinImage(), QStringLiteral("CANCEL"), this))
{
    setObjectName(QStringLiteral("picConcentration"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    QPalette palette = m_cancel->palette();
    palette.setColor(QPalette::Window, SkinPieces::InnerColour);
    m_cancel->setPalette(palette);
}

void ConcentrationPanel::placeCancelButton()
{
    m_cancel->setGeometry(roundToPixels(cancelButtonRect(QSizeF(size()))));
    m_cancelPlaced = true;
}

void ConcentrationPanel::showShadowedText(const QString& text)
{
    // The countdown is redrawn on every tick, but its text changes once a second.
    if (m_drawn && text == m_shownText)
        return;
    m_surface.paintPersistent([&](QPainter& painter) {
        painter.setFont(font());
        drawShadowedText(painter, size(), SkinPieces::InnerColour, text);
    });
    m_shownText = text;
    m_drawn = true;
}

void ConcentrationPanel::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    m_surface.paintOnto(painter, event->rect());
}

void ConcentrationPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_surface.resize(size(), SkinPieces::InnerColour);
    // A text drawn for the old size would sit off centre.
    if (m_drawn) {
        m_drawn = false;
        showShadowedText(m_shownText);
    }
    // Once the countdown has placed CANCEL it follows the panel's size.
    if (m_cancelPlaced)
        placeCancelButton();
}
