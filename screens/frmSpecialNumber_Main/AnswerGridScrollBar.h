#pragma once

#include <QRect>
#include <QScrollBar>

// The answer grid's scroll bar. Each row typed past the bottom of the view moves it by one step, and a
// scroll bar repaints itself whole at every step: 680 pixels of gradient and lines, enough for the
// raster engine to hand the fills to its thread pool and wait for it. A step repaints only the band
// where the slider was and is; the groove under it does not depend on the value.
class AnswerGridScrollBar final : public QScrollBar
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnswerGridScrollBar)

public:
    explicit AnswerGridScrollBar(QWidget* parent = nullptr);

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect sliderBand() const;
    bool isAtEnd() const;

    // Where the slider was last painted, with room for its outline; empty until the first paint.
    QRect m_paintedBand;
    bool m_paintedAtEnd = true;
};
