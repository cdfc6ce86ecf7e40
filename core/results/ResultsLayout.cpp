#include "results/ResultsLayout.h"

#include "stage/GridLayout.h"

namespace {
constexpr double ScoreTableTop = 50.0;
constexpr double FinishWidth = 150.0;
constexpr double FinishHeight = 50.0;
constexpr double FinishGap = 60.0;
constexpr double QuestionTableLeft = 33.0;
// Gap under the score table, then room for the control border and the explanation line.
constexpr double GapUnderScoreTable = 18.0;
constexpr double RoomUnderQuestionTable = 5.0 + 46.0;
} // namespace

ResultsLayout layOutResults(QSizeF client, int digitsPerRow)
{
    const double w = client.width();
    const double h = client.height();
    ResultsLayout layout;
    layout.scoreTable = QRectF((w - ScoreTableWidth) / 2.0, ScoreTableTop, ScoreTableWidth, ScoreTableHeight);

    const double tableTop = layout.scoreTable.bottom() + GapUnderScoreTable;
    const double firstWidth = w - 2.0 * QuestionTableLeft;
    const double height = h - (tableTop + RoomUnderQuestionTable);
    // The columns are sized from scratch on every layout: the header column counts as 50 pixels again.
    const GridColumnLayout columns = layOutGridColumns(w, firstWidth, digitsPerRow, HeaderColumnUnits);
    layout.columnUnits = columns.columnUnits;
    layout.questionTable = QRectF(columns.gridLeft, tableTop, columns.gridWidth, height);

    layout.finishButton =
        QRectF(layout.scoreTable.right() + FinishGap, layout.scoreTable.top() + (ScoreTableHeight - FinishHeight) / 2.0,
               FinishWidth, FinishHeight);
    layout.explanation = QRectF(25.0, h - 40.0, w - 50.0, ExplanationHeight);
    return layout;
}
