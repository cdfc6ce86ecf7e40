#include "frmSpecialNumber_Main/AnswerGridScrollBar.h"

#include <QStyle>
#include <QStyleOptionSlider>

AnswerGridScrollBar::AnswerGridScrollBar(QWidget* parent) : QScrollBar(parent) {}

void AnswerGridScrollBar::sliderChange(SliderChange change)
{
    // At either end a style may draw an arrow as unavailable; a transient scroll bar flashes on a step.
    const bool wholeRepaint = change != SliderValueChange || m_paintedBand.isNull() || m_paintedAtEnd || isAtEnd() ||
                              style()->styleHint(QStyle::SH_ScrollBar_Transient, nullptr, this);
    if (wholeRepaint) {
        QScrollBar::sliderChange(change);
        return;
    }
    update(m_paintedBand.united(sliderBand()));
}

void AnswerGridScrollBar::paintEvent(QPaintEvent* event)
{
    QScrollBar::paintEvent(event);
    m_paintedBand = sliderBand();
    m_paintedAtEnd = isAtEnd();
}

QRect AnswerGridScrollBar::sliderBand() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect slider = style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    // Styles draw the slider's outline or shadow a little outside its rectangle; a bar's thickness
    // of margin covers any of them and keeps the band short.
    if (orientation() == Qt::Vertical)
        return QRect(0, slider.top() - width(), width(), slider.height() + 2 * width());
    return QRect(slider.left() - height(), 0, slider.width() + 2 * height(), height());
}

bool AnswerGridScrollBar::isAtEnd() const
{
    return value() == minimum() || value() == maximum();
}
