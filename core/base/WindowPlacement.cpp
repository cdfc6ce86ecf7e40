#include "base/WindowPlacement.h"

#include "base/Rounding.h"

#include <algorithm>

ScreenFit screenFitForHeight(int screenHeight)
{
    if (screenHeight < 768)
        return ScreenFit::Refused;
    if (screenHeight < 800)
        return ScreenFit::WholeScreen;
    return ScreenFit::Standard;
}

QRect childScreenRect(const QRect& mainWindowRect)
{
    return QRect(mainWindowRect.left(), mainWindowRect.top() + TitleStripHeight, mainWindowRect.width(),
                 mainWindowRect.height() - TitleStripHeight);
}

QRect centredOnWorkArea(const QRect& workArea, int windowWidth, int windowHeight)
{
    const double x = (double(workArea.width()) - windowWidth) / 2.0 + workArea.left();
    const double y = (double(workArea.height()) - windowHeight) / 2.0 + workArea.top();
    const int left = std::max(0, int(roundHalfEven(x)));
    const int top = std::max(0, int(roundHalfEven(y)));
    return QRect(left, top, windowWidth, windowHeight);
}
