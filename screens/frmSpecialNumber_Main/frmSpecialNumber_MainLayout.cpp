// The recall stage's layout for its size and its group highlight.
#include "frmSpecialNumber_Main/frmSpecialNumber_Main.h"

#include "base/ProgramTitle.h"
#include "base/Rounding.h"
#include "buttons/SkinButton.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "frmSpecialNumber_Main/ConcentrationPanel.h"
#include "frmSpecialNumber_Main/TimeDisplay.h"
#include "skin/Fonts.h"
#include "skin/FramePainter.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"
#include "stage/GroupHighlight.h"
#include "stage/StageLayout.h"

#include <QImage>
#include <QLabel>
#include <QPainter>

namespace {
constexpr int StageTitleX = 190;
constexpr int TimePanelMiddleTiles = 106;

// The 350-pixel tab behind the time display: two 69-pixel ends and 106 two-pixel middle tiles.
void paintTimePanelBackdrop(QPainter& painter, int x)
{
    using namespace SkinPieces;
    const QImage& skin = skinImage();
    blitSkinPiece(painter, QPointF(x, TimePanelTop), skin, TimePanelLeft);
    for (int m = 0; m < TimePanelMiddleTiles; ++m)
        blitSkinPiece(painter, QPointF(x + TimePanelLeft.width() + TimePanelMiddle.width() * m, TimePanelTop), skin,
                      TimePanelMiddle);
    blitSkinPiece(painter, QPointF(x + TimePanelWidth - TimePanelRight.width(), TimePanelTop), skin, TimePanelRight);
}
} // namespace

void frmSpecialNumber_Main::layOutStage()
{
    const int columns = m_state.digitsPerRow;
    // The narrowing test reads back what the grid made of a width, as the grid reports it.
    const ColumnWidthReadBack readBack = [this](int units) {
        m_grid->setColumnWidthUnits(1, units);
        return m_grid->columnWidthUnits(1);
    };
    const StageLayout layout = ::layOutStage(QSizeF(size()), columns, readBack);

    m_timeDisplay->setGeometry(layout.timeDisplay);

    for (int column = 1; column <= columns; ++column)
        m_grid->setColumnWidthUnits(column, layout.columnUnits);
    m_grid->setColumnWidthUnits(0, AnswerGrid::HeaderColumnUnits);
    const QRect grid = roundToPixels(layout.grid);
    m_grid->setGeometry(grid);

    // The label and the buttons follow the grid's edges as placed in whole pixels.
    const QPointF shift(grid.x() - layout.grid.x(), 0.0);
    m_groupLabel->move((layout.groupLabel + shift).toPoint());
    m_groupLabel->adjustSize();
    m_finish->setGeometry(roundToPixels(layout.finishButton.translated(shift)));
    m_back->setGeometry(roundToPixels(layout.backButton.translated(shift)));

    QFont panelFont(tahomaFamily());
    panelFont.setPointSizeF(ConcentrationPanel::FontPointSize);
    panelFont.setBold(true);
    m_concentration->setFont(panelFont);
    m_concentration->setGeometry(roundToPixels(layout.concentrationPanel));
    if (m_firstActivation)
        m_concentration->show();
    m_concentration->cancelButton().show();

    m_surface.resize(size(), QColor(SkinPieces::InnerColour));
    m_surface.paintPersistent([&](QPainter& painter) {
        painter.fillRect(rect(), QColor(SkinPieces::InnerColour));
        PaintStageFrame(painter, size(), stageTitle(m_attempt->source().caption), QStringLiteral("RECALL STAGE"),
                        StageTitleX);
        paintTimePanelBackdrop(painter, layout.timePanelX);
        // Part of the persistent image, so that the border survives every repaint of the window.
        DrawControlFrame(painter, grid);
    });
}

void frmSpecialNumber_Main::showCurrentGroup()
{
    AnswerGridModel& model = m_grid->answers();
    const int row = m_grid->currentRow();
    const int column = m_grid->currentColumn();
    const std::optional<CurrentGroup> group =
        row > 0 && column > 0 ? currentGroup(m_state.digitsPerRow, m_state.groupSize, row, column) : std::nullopt;
    // A group that cannot be worked out leaves the label as it was and no cell highlighted.
    if (!group) {
        model.clearGroupHighlight();
        return;
    }
    m_groupLabel->setText(groupLabelText(group->number));
    m_groupLabel->adjustSize();
    model.setGroupHighlight(group->row, group->firstColumn, m_state.groupSize);
}
