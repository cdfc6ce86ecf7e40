#include "frmTraining/UnavailableView.h"

#include "buttons/SkinButton.h"
#include "frmTraining/TrainingLook.h"
#include "skin/SkinPieces.h"

#include <QLabel>
#include <QPainter>

UnavailableView::UnavailableView(TrainingActivity activity, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("unavailableView"));
    QString name = activityName(activity);
    name[0] = name[0].toUpper();
    m_line = TrainingLook::makeLabel(this, "unavailableLine", 13, true);
    m_line->setText(name + QStringLiteral(": not available yet"));
    m_line->setAlignment(Qt::AlignCenter);

    m_back = TrainingLook::makeButton(this, "btnBack", QStringLiteral("BACK"));
    connect(m_back, &SkinButton::clicked, this, &UnavailableView::back, Qt::QueuedConnection);
}

QString UnavailableView::text() const
{
    return m_line->text();
}

void UnavailableView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_line->setGeometry(0, height() / 3, width(), 30);
    m_back->setGeometry((width() - 170) / 2, height() / 3 + 70, 170, 50);
}

void UnavailableView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(SkinPieces::InnerColour));
}
