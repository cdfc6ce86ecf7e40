// One committed digit through the real answer grid on a pi-sized sheet (1092 x 30), offscreen: from the
// key press to the end of the after-edit hook, and to the end of the repaint that follows it.
#include "BenchFigures.h"
#include "FreeSheet.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "skin/Fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int Rows = 1092;
constexpr int Columns = 30;
constexpr int GroupSize = 5;
constexpr int Digits = 1000;

// The user-interface time of one committed digit on a pi sheet of 30 digits a row.
constexpr double DigitGoalMicroseconds = 900.0;
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerFallbackFonts();

    QElapsedTimer buildTimer;
    buildTimer.start();
    FreeSheet sheet(Rows, Columns);
    AnswerGrid grid;
    grid.setSheet(sheet);
    for (int column = 1; column <= Columns; ++column)
        grid.setColumnWidthUnits(column, 559);
    grid.resize(1185, 680);
    grid.show();
    grid.activateWindow();
    if (!QTest::qWaitForWindowActive(&grid)) {
        std::fprintf(stderr, "bench_answer_grid: the grid window did not become active\n");
        return 1;
    }
    grid.setFocus();
    QCoreApplication::processEvents();
    printFigure("answer grid: build and show 1092 x 30", double(buildTimer.nsecsElapsed()) / 1e6, "ms");

    // The hooks do the grid work the recall stage does per digit: stamp, remove the bar, move the group.
    QElapsedTimer keyTimer;
    double afterEditMicroseconds = 0.0;
    AnswerGridHooks hooks;
    hooks.beforeEdit = [&](int, int, bool&) { grid.setEditMaxLength(1); };
    hooks.afterEdit = [&](int row, int column) {
        sheet.edit().setStamp(row, column, 100.0f);
        grid.answers().clearFlood();
        afterEditMicroseconds = double(keyTimer.nsecsElapsed()) / 1e3;
    };
    hooks.cellChanged = [&](int, int, int row, int column) {
        grid.answers().setGroupHighlight(row, (column - 1) / GroupSize * GroupSize + 1, GroupSize);
    };
    grid.setHooks(hooks);

    std::vector<double> toAfterEdit;
    std::vector<double> toRepainted;
    // A row's last digit moves the cursor to the next row, which scrolls the view by one row.
    std::vector<double> atRowEndToRepainted;
    for (int i = 0; i < Digits; ++i) {
        // Spread over the sheet, never the last cell, whose editor stays open.
        const long long cellIndex = (long long)i * (Rows * Columns - 1) / Digits;
        grid.setCurrentCell(int(cellIndex / Columns) + 1, int(cellIndex % Columns) + 1);
        grid.answers().setFlood(grid.currentRow(), grid.currentColumn(), QColor(242, 254, 188), 40.0);
        QCoreApplication::processEvents();

        keyTimer.start();
        QTest::keyPress(static_cast<QWidget*>(nullptr), '7');
        toAfterEdit.push_back(afterEditMicroseconds);
        QCoreApplication::processEvents();
        toRepainted.push_back(double(keyTimer.nsecsElapsed()) / 1e3);
        if (cellIndex % Columns == Columns - 1)
            atRowEndToRepainted.push_back(toRepainted.back());
        QTest::keyRelease(static_cast<QWidget*>(nullptr), '7');
    }
    printTimings("answer grid: key press to after-edit done", toAfterEdit, "us", DigitGoalMicroseconds);
    printTimings("answer grid: key press to repaint done", toRepainted, "us", DigitGoalMicroseconds);
    printTimings("answer grid: key press to repaint done, at a row's end", atRowEndToRepainted, "us");
    return 0;
}
