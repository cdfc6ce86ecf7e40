#pragma once

#include <QProxyStyle>

// The application's style with a fixed scroll bar thickness: the grid's layout arithmetic reserves
// exactly that many pixels for its vertical scroll bar.
class ScrollBarExtentStyle final : public QProxyStyle
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScrollBarExtentStyle)

public:
    explicit ScrollBarExtentStyle(int extent);

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    int m_extent;
};
