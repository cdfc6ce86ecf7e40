#include "stage/StageLayout.h"

#include "base/Rounding.h"

namespace {

constexpr double GridMargin = 33.0;
constexpr double GridTop = 94.0;
constexpr double ButtonWidth = 140.0;
constexpr double ButtonHeight = 50.0;

} // namespace

StageLayout layOutStage(QSizeF client, int digitsPerRow, const ColumnWidthReadBack& readBack)
{
    const double width = client.width();
    const double height = client.height();
    StageLayout layout;

    const double b = roundHalfEven(width);
    layout.timePanelX = static_cast<int>(roundHalfEven((b - TimePanelWidth) / 2.0 + 130.0));
    layout.timeDisplay = QRect(layout.timePanelX + 69, 0, 212, 81);

    const GridColumnLayout columns =
        layOutGridColumns(width, width - 2 * GridMargin, digitsPerRow, HeaderColumnUnits, readBack);
    layout.columnUnits = columns.columnUnits;
    layout.grid = QRectF(columns.gridLeft, GridTop, columns.gridWidth, height - 120.0);

    layout.groupLabel = QPointF(layout.grid.left(), layout.grid.top() - 22.0);
    layout.finishButton = QRectF(layout.grid.left() + layout.grid.width() - ButtonWidth, layout.grid.top() - 60.0,
                                 ButtonWidth, ButtonHeight);
    layout.backButton = layout.finishButton.translated(-150.0, 0.0);

    const QSizeF panel(width - 40.0, height - 110.0);
    layout.concentrationPanel =
        QRectF(QPointF((width - panel.width()) / 2.0, (height - panel.height()) / 2.0 + 30.0), panel);
    return layout;
}

QRectF cancelButtonRect(QSizeF concentrationPanel)
{
    return QRectF((concentrationPanel.width() - 150.0) / 2.0, concentrationPanel.height() - 80.0, 150.0, 50.0);
}
