#include "frmSpecialNumber_Main/ConcentrationPanel.h"

#include "base/Rounding.h"
#include "buttons/SkinButton.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"
#include "stage/StageLayout.h"

#include <QPaintEvent>

ConcentrationPanel::ConcentrationPanel(QWidget* parent)
    : QWidget(parent), m_text(this, SkinPieces::InnerColour),
      m_cancel(new SkinButton(skinImage(), QStringLiteral("CANCEL"), this))
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

void ConcentrationPanel::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    m_text.paintOnto(painter, event->rect());
}

void ConcentrationPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_text.resize(m_text.shownText());
    // Once the countdown has placed CANCEL it follows the panel's size.
    if (m_cancelPlaced)
        placeCancelButton();
}
