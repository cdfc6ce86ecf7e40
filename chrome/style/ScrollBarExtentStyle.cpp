#include "style/ScrollBarExtentStyle.h"

ScrollBarExtentStyle::ScrollBarExtentStyle(int extent) : m_extent(extent) {}

int ScrollBarExtentStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (metric == PM_ScrollBarExtent)
        return m_extent;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
