#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "CapturedWarnings.h"
#include "FreeSheet.h"
#include "OtherProgramWindow.h"
#include "PixelProbe.h"
#include "base/Rounding.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "skin/Fonts.h"
#include "stage/AnswerSheet.h"
#include "stage/CellEditorRules.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int Rows = 4;
constexpr int Columns = 6;
const QColor BarColor(242, 254, 188);

std::string cell(int row, int column)
{
    return std::to_string(row) + "," + std::to_string(column);
}

// A shown, active 4 x 6 grid whose hooks write down every call, with the text the model holds then.
class AnswerGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.setSheet(sheet);
        for (int column = 1; column <= Columns; ++column)
            grid.setColumnWidthUnits(column, 600);
        grid.resize(50 + Columns * 40 + ScrollBarWidth, 36 + Rows * 32);
        AnswerGridHooks hooks;
        hooks.beforeEdit = [this](int row, int column, bool& cancel) {
            events.push_back("before " + cell(row, column));
            cancel = cancelEdits;
        };
        hooks.afterEdit = [this](int row, int column) {
            events.push_back("after " + cell(row, column) + " '" + textAt(row, column) + "'");
        };
        hooks.cellChanged = [this](int oldRow, int oldColumn, int newRow, int newColumn) {
            events.push_back("cell " + cell(oldRow, oldColumn) + ">" + cell(newRow, newColumn));
        };
        grid.setHooks(hooks);
        grid.show();
        grid.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
        grid.setFocus();
    }

    std::string textAt(int row, int column) const { return grid.answers().sheet().cellText(row, column).toStdString(); }

    // Starts at (row, column) holding `text`, with nothing recorded yet.
    void startAt(int row, int column, const QString& text = QString())
    {
        grid.answers().setCellText(row, column, text);
        grid.setCurrentCell(row, column);
        events.clear();
    }

    // Keys go through the window to whichever widget has the focus, as typed keys do.
    static void press(char key) { QTest::keyClick(static_cast<QWidget*>(nullptr), key); }
    static void press(Qt::Key key) { QTest::keyClick(static_cast<QWidget*>(nullptr), key); }

    std::pair<int, int> current() const { return {grid.currentRow(), grid.currentColumn()}; }

    // The text of the open editor, which holds the keyboard focus while it is open.
    static std::string editorText()
    {
        const auto* editor = qobject_cast<const QLineEdit*>(QApplication::focusWidget());
        return editor ? editor->text().toStdString() : "(no editor)";
    }

    QPoint cellCenter(int row, int column) const
    {
        return grid.visualRect(grid.answers().index(row - 1, column - 1)).center();
    }

    // The colour painted at a fraction of a cell's width, half-way down.
    QColor colorInCell(const QImage& image, int row, int column, double fraction) const
    {
        const QRect rect = grid.visualRect(grid.answers().index(row - 1, column - 1));
        const QPoint inViewport(rect.left() + int(rect.width() * fraction), rect.top() + rect.height() / 2);
        return image.pixelColor(grid.viewport()->mapTo(&grid, inViewport));
    }

    // Declared before the grid, which shows them until it goes.
    FreeSheet sheet{Rows, Columns};
    FreeSheet otherSheet{Rows + 1, Columns};
    AnswerGrid grid;
    std::vector<std::string> events;
    bool cancelEdits = false;
};

TEST_F(AnswerGridTest, typedDigit_commitsAndMovesOn_inEventOrder)
{
    const struct
    {
        int row, column, nextRow, nextColumn;
    } cases[] = {
        {2, 3, 2, 4},       // middle of a row: the next cell to the right
        {2, Columns, 3, 1}, // last cell of a row: the first data cell of the next row
        {1, 1, 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(cell(c.row, c.column));
        startAt(c.row, c.column);
        press('7');
        const std::string from = cell(c.row, c.column);
        const std::vector<std::string> expected = {"before " + from, "after " + from + " '7'",
                                                   "cell " + from + ">" + cell(c.nextRow, c.nextColumn)};
        EXPECT_EQ(events, expected);
        EXPECT_EQ(textAt(c.row, c.column), "7");
        EXPECT_EQ(current(), std::make_pair(c.nextRow, c.nextColumn));
        EXPECT_FALSE(grid.isEditing());
    }
}

TEST_F(AnswerGridTest, typedDigits_fillConsecutiveCellsAcrossRows)
{
    startAt(1, 4);
    QTest::keyClicks(static_cast<QWidget*>(nullptr), QStringLiteral("31415"));
    EXPECT_EQ(textAt(1, 4), "3");
    EXPECT_EQ(textAt(1, 5), "1");
    EXPECT_EQ(textAt(1, 6), "4");
    EXPECT_EQ(textAt(2, 1), "1");
    EXPECT_EQ(textAt(2, 2), "5");
    EXPECT_EQ(current(), std::make_pair(2, 3));
}

TEST_F(AnswerGridTest, typedDigit_replacesTheDigitOfAFilledCell)
{
    startAt(2, 3, QStringLiteral("5"));
    press('3');
    EXPECT_EQ(textAt(2, 3), "3");
    EXPECT_EQ(current(), std::make_pair(2, 4));
}

TEST_F(AnswerGridTest, lastCellOfGrid_keepsEditorOpenUntilEnterCommits)
{
    startAt(Rows, Columns);
    press('7');
    const std::string last = cell(Rows, Columns);
    EXPECT_EQ(events, std::vector<std::string>{"before " + last});
    EXPECT_TRUE(grid.isEditing());
    EXPECT_EQ(editorText(), "7");
    EXPECT_EQ(textAt(Rows, Columns), "");

    events.clear();
    press(Qt::Key_Return);
    EXPECT_EQ(events, std::vector<std::string>{"after " + last + " '7'"});
    EXPECT_FALSE(grid.isEditing());
    EXPECT_EQ(textAt(Rows, Columns), "7");
    EXPECT_EQ(current(), std::make_pair(Rows, Columns));
}

TEST_F(AnswerGridTest, charactersOtherThanDigits_doNothingOnAClosedCell)
{
    const Qt::Key keys[] = {Qt::Key_A,      Qt::Key_Z,    Qt::Key_Space,  Qt::Key_Minus,
                            Qt::Key_Period, Qt::Key_Plus, Qt::Key_Return, Qt::Key_Delete};
    for (const Qt::Key key : keys) {
        SCOPED_TRACE(int(key));
        startAt(2, 3, QStringLiteral("5"));
        QTest::keyClick(static_cast<QWidget*>(nullptr), key);
        EXPECT_TRUE(events.empty());
        EXPECT_FALSE(grid.isEditing());
        EXPECT_EQ(textAt(2, 3), "5");
        EXPECT_EQ(current(), std::make_pair(2, 3));
    }
}

TEST_F(AnswerGridTest, charactersOtherThanDigits_areDiscardedByAnOpenEditor)
{
    startAt(Rows, Columns);
    press('7');
    events.clear();
    const Qt::Key keys[] = {Qt::Key_A, Qt::Key_Space, Qt::Key_Minus, Qt::Key_Escape, Qt::Key_Tab};
    for (const Qt::Key key : keys)
        QTest::keyClick(static_cast<QWidget*>(nullptr), key);
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(grid.isEditing());
    EXPECT_EQ(editorText(), "7");
    press(Qt::Key_Return);
    EXPECT_EQ(textAt(Rows, Columns), "7");
}

// Each key typed into an open editor holding "5": the cell editor rules decide whether it counts and,
// for a digit, where the cursor goes, at the last cell of the grid too.
TEST_F(AnswerGridTest, keysInAnOpenEditor_followTheCellEditorRules)
{
    const struct
    {
        Qt::Key key;
        int code;
    } keys[] = {
        {Qt::Key_0, '0'},      {Qt::Key_7, '7'},     {Qt::Key_9, '9'},     {Qt::Key_Backspace, 8}, {Qt::Key_Return, 13},
        {Qt::Key_A, 'a'},      {Qt::Key_Space, ' '}, {Qt::Key_Minus, '-'}, {Qt::Key_Period, '.'},  {Qt::Key_Plus, '+'},
        {Qt::Key_Delete, 127}, {Qt::Key_Tab, 9},     {Qt::Key_Escape, 27},
    };
    const GridCell cells[] = {{2, 3}, {2, Columns}, {Rows, Columns}};
    for (const GridCell at : cells) {
        for (const auto& k : keys) {
            SCOPED_TRACE(cell(at.row, at.column) + " code " + std::to_string(k.code));
            startAt(at.row, at.column, QStringLiteral("5"));
            press(Qt::Key_F2);
            ASSERT_EQ(editorText(), "5");
            press(k.key);
            const bool untouched =
                grid.isEditing() && editorText() == "5" && current() == std::make_pair(at.row, at.column);
            EXPECT_EQ(!untouched, isAcceptedEditorKey(k.code));
            if (k.code >= '0' && k.code <= '9') {
                const GridCell next = cellAfterTyping(at, Rows, Columns).value_or(at);
                EXPECT_EQ(current(), std::make_pair(next.row, next.column));
            }
            if (grid.isEditing())
                press(Qt::Key_Return);
        }
    }
}

TEST_F(AnswerGridTest, backspaceThenEnter_commitsTheEmptyTextWithoutMoving)
{
    startAt(2, 3, QStringLiteral("5"));
    press(Qt::Key_Backspace);
    EXPECT_EQ(events, std::vector<std::string>{"before 2,3"});
    EXPECT_TRUE(grid.isEditing());
    EXPECT_EQ(editorText(), "");
    EXPECT_EQ(textAt(2, 3), "5");
    EXPECT_EQ(current(), std::make_pair(2, 3));

    events.clear();
    press(Qt::Key_Return);
    EXPECT_EQ(events, std::vector<std::string>{"after 2,3 ''"});
    EXPECT_EQ(textAt(2, 3), "");
    EXPECT_EQ(current(), std::make_pair(2, 3));
}

TEST_F(AnswerGridTest, backspace_showsTheCellEmptyWhileItsEditorIsOpen)
{
    startAt(2, 3);
    press('8');
    press(Qt::Key_Left);
    ASSERT_EQ(current(), std::make_pair(2, 3));
    const QRect cellRect = grid.visualRect(grid.answers().index(1, 2));
    const QRect inside(grid.viewport()->mapTo(&grid, cellRect.topLeft()) + QPoint(3, 3), cellRect.size() - QSize(6, 6));
    const auto dark = [](QRgb pixel) { return qGray(pixel) < 100; };
    ASSERT_GT(PixelProbe::boundingBox(grid.grab().toImage(), inside, dark).width(), 4) << "the 8 is painted";

    press(Qt::Key_Backspace);
    ASSERT_TRUE(grid.isEditing());
    ASSERT_EQ(editorText(), "");
    // The editor's caret is a line one pixel wide; anything wider is the digit showing through.
    EXPECT_LE(PixelProbe::boundingBox(grid.grab().toImage(), inside, dark).width(), 2);
}

TEST_F(AnswerGridTest, arrowKeyOutOfAnOpenEditor_commitsItBeforeTheCellChanges)
{
    startAt(2, 3, QStringLiteral("5"));
    press(Qt::Key_Backspace);
    events.clear();
    press(Qt::Key_Down);
    EXPECT_EQ(events, (std::vector<std::string>{"after 2,3 ''", "cell 2,3>3,3"}));
    EXPECT_EQ(textAt(2, 3), "");
}

TEST_F(AnswerGridTest, clickOnAnotherCell_endsTheOpenEditFirst)
{
    startAt(Rows, Columns);
    press('7');
    events.clear();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCenter(1, 1));
    EXPECT_EQ(events, (std::vector<std::string>{"after " + cell(Rows, Columns) + " '7'",
                                                "cell " + cell(Rows, Columns) + ">1,1"}));
    EXPECT_FALSE(grid.isEditing());
}

TEST_F(AnswerGridTest, cancelledBeforeEdit_keepsTheCellClosedHoweverTheEditStarts)
{
    cancelEdits = true;
    const std::function<void()> starts[] = {
        [] { press('7'); },
        [] { press(Qt::Key_Backspace); },
        [] { press(Qt::Key_F2); },
        [this] {
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCenter(2, 3));
            QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cellCenter(2, 3));
        },
    };
    for (std::size_t i = 0; i < std::size(starts); ++i) {
        SCOPED_TRACE(i);
        startAt(2, 3, QStringLiteral("5"));
        const auto& start = starts[i];
        start();
        EXPECT_EQ(events, std::vector<std::string>{"before 2,3"});
        EXPECT_FALSE(grid.isEditing());
        EXPECT_EQ(textAt(2, 3), "5");
        EXPECT_EQ(current(), std::make_pair(2, 3));
    }
}

TEST_F(AnswerGridTest, editorLengthLimit_isTakenFromTheSettingAtEditStart)
{
    grid.setEditMaxLength(1);
    startAt(Rows, Columns);
    press('7');
    press('8');
    press(Qt::Key_Return);
    EXPECT_EQ(textAt(Rows, Columns), "7");
}

TEST_F(AnswerGridTest, takeFocus_keepsAnOpenEditOpen)
{
    startAt(Rows, Columns);
    press('7');
    grid.takeFocus();
    EXPECT_TRUE(grid.isEditing());
    press(Qt::Key_Return);
    EXPECT_EQ(textAt(Rows, Columns), "7");
}

TEST_F(AnswerGridTest, anotherSheet_dropsAnOpenEditWithoutCommitting)
{
    startAt(Rows, Columns);
    press('7');
    events.clear();
    grid.setSheet(otherSheet);
    EXPECT_FALSE(grid.isEditing());
    EXPECT_EQ(events, std::vector<std::string>{"cell 0,0>1,1"});
    EXPECT_EQ(textAt(Rows, Columns), "");
    EXPECT_EQ(sheet.sheet().cellText(Rows, Columns), QString()) << "nothing was handed in";
    EXPECT_TRUE(grid.hasFocus());
}

TEST_F(AnswerGridTest, sameSheet_keepsTheCells)
{
    startAt(2, 3, QStringLiteral("5"));
    sheet.edit().setStamp(2, 3, 100.0f);
    grid.setSheet(sheet);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(textAt(2, 3), "5");
    EXPECT_TRUE(grid.answers().sheet().hasStamp(2, 3));
    EXPECT_EQ(current(), std::make_pair(2, 3));
}

// Adds up the area of every region painted on a widget.
class PaintedArea final : public QObject
{
public:
    explicit PaintedArea(QWidget* widget) { widget->installEventFilter(this); }
    long long area = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            for (const QRect& rect : static_cast<QPaintEvent*>(event)->region())
                area += (long long)rect.width() * rect.height();
        }
        return false;
    }
};

TEST_F(AnswerGridTest, typedDigit_repaintsOnlyTheCellsItTouches)
{
    startAt(2, 3);
    grid.answers().setGroupHighlight(2, 1, 3);
    QCoreApplication::processEvents();
    PaintedArea painted(grid.viewport());
    press('7');
    grid.answers().setGroupHighlight(2, 4, 3);
    QCoreApplication::processEvents();
    const QRect cellRect = grid.visualRect(grid.currentIndex());
    const long long cellArea = (long long)cellRect.width() * cellRect.height();
    EXPECT_GT(painted.area, 0);
    // The two cells of the move, the closed editor's cell and the two groups of three come to 9 of the
    // 24 cells; one repaint of the whole viewport alone would be 24.
    EXPECT_LE(painted.area, 12 * cellArea);
}

// A 30-row sheet in a view of five whole rows and a sliver of the sixth, as on the stage, with the
// stage's per-digit work: the next group highlighted as the cursor moves. Digits are typed from the
// last cell of the bottom row, so every row end scrolls the view by one row.
class AnswerGridScrollTest : public ::testing::Test
{
protected:
    static constexpr int SheetRows = 30;
    static constexpr int GroupSize = 3;

    void SetUp() override
    {
        grid.setSheet(sheet);
        for (int column = 1; column <= Columns; ++column)
            grid.setColumnWidthUnits(column, 600);
        grid.resize(50 + Columns * 40 + ScrollBarWidth, 36 + 5 * 32 + 4);
        AnswerGridHooks hooks;
        hooks.cellChanged = [this](int, int, int row, int column) {
            grid.answers().setGroupHighlight(row, (column - 1) / GroupSize * GroupSize + 1, GroupSize);
        };
        grid.setHooks(hooks);
        grid.show();
        grid.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
        grid.setFocus();
        grid.setCurrentCell(10, Columns);
        QCoreApplication::processEvents();
    }

    static void type(const std::string& digits)
    {
        for (const char digit : digits) {
            QTest::keyClick(static_cast<QWidget*>(nullptr), digit);
            QCoreApplication::processEvents();
        }
    }

    std::pair<int, int> current() const { return {grid.currentRow(), grid.currentColumn()}; }
    int rowHeightInViewport() const { return grid.visualRect(grid.currentIndex()).height(); }

    FreeSheet sheet{SheetRows, Columns};
    AnswerGrid grid;
};

TEST_F(AnswerGridScrollTest, digitAtTheEndOfTheBottomRow_movesThePixelsAndRepaintsLittle)
{
    PaintedArea cells(grid.viewport());
    PaintedArea columnHeader(grid.horizontalHeader()->viewport());
    PaintedArea scrollBar(grid.verticalScrollBar());
    const int scrolledBefore = grid.verticalScrollBar()->value();
    type("7");
    ASSERT_EQ(current(), std::make_pair(11, 1));
    ASSERT_EQ(grid.verticalScrollBar()->value(), scrolledBefore + 1) << "the view scrolled by one row";

    const long long rowArea = (long long)grid.viewport()->width() * rowHeightInViewport();
    const long long viewportArea = (long long)grid.viewport()->width() * grid.viewport()->height();
    // The row scrolled in, the sliver under it and the left row's changed cells; a view that repaints
    // whole instead of moving its pixels paints all six rows.
    EXPECT_GT(cells.area, 0);
    EXPECT_LE(cells.area, 3 * rowArea);
    EXPECT_LT(cells.area, viewportArea / 2);
    EXPECT_EQ(columnHeader.area, 0) << "nothing in the column header depends on the current cell";
    const QSize bar = grid.verticalScrollBar()->size();
    EXPECT_LT(scrollBar.area, (long long)bar.width() * bar.height() / 2) << "the slider's band, not the whole bar";
}

// The screen keeps what the repaints of each step left there; it must be what a whole repaint paints.
TEST_F(AnswerGridScrollTest, screenAfterEachKindOfStep_isWhatAWholeRepaintPaints)
{
    const struct
    {
        const char* step;
        int row, column;
        std::string digits;
        int endRow, endColumn;
    } cases[] = {
        {"across the end of the bottom row, scrolling", 10, Columns, "1", 11, 1},
        {"along a row, moving the group", 11, 1, "41592", 11, 6},
        {"across the end of a row in the middle of the view", 8, Columns, "6", 9, 1},
        {"onto the last row, the scroll bar at its end", SheetRows - 1, Columns - 1, "535", SheetRows, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        grid.setCurrentCell(c.row, c.column);
        QCoreApplication::processEvents();
        type(c.digits);
        ASSERT_EQ(current(), std::make_pair(c.endRow, c.endColumn));
        const QImage onScreen = grid.screen()->grabWindow(grid.winId()).toImage();
        const QImage repainted = grid.grab().toImage();
        ASSERT_EQ(onScreen.size(), repainted.size());
        EXPECT_EQ(PixelProbe::firstDifference(onScreen, onScreen.rect(), repainted, QPoint(0, 0)).toStdString(), "");
    }
    EXPECT_EQ(grid.verticalScrollBar()->value(), grid.verticalScrollBar()->maximum());
}

TEST_F(AnswerGridTest, floodBar_fillsTheLeftPartOfItsCell)
{
    grid.setCurrentCell(1, 1);
    const struct
    {
        double percent;
        bool rightPartFilled;
    } cases[] = {{50.0, false}, {150.0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.percent);
        ASSERT_TRUE(grid.answers().setFlood(3, 2, BarColor, c.percent));
        const QImage image = grid.grab().toImage();
        EXPECT_EQ(colorInCell(image, 3, 2, 0.2), BarColor);
        EXPECT_EQ(colorInCell(image, 3, 2, 0.8) == BarColor, c.rightPartFilled);
        EXPECT_NE(colorInCell(image, 3, 3, 0.2), BarColor);
    }
    grid.answers().clearFlood();
    EXPECT_NE(colorInCell(grid.grab().toImage(), 3, 2, 0.2), BarColor);
}

TEST_F(AnswerGridTest, groupHighlight_paintsItsCellsOnly)
{
    const QColor highlight(AnswerGridModel::GroupHighlightColor);
    grid.setCurrentCell(1, 1);
    grid.answers().setGroupHighlight(2, 1, 3);
    QImage image = grid.grab().toImage();
    for (int column = 1; column <= 3; ++column)
        EXPECT_EQ(colorInCell(image, 2, column, 0.2), highlight) << column;
    EXPECT_NE(colorInCell(image, 2, 4, 0.2), highlight);

    grid.answers().setGroupHighlight(3, 4, 3);
    image = grid.grab().toImage();
    EXPECT_NE(colorInCell(image, 2, 1, 0.2), highlight);
    EXPECT_EQ(colorInCell(image, 3, 6, 0.2), highlight);
}

TEST_F(AnswerGridTest, columnWidthUnits_readBackAsSetAndRoundOnScreen)
{
    grid.setColumnWidthUnits(0, 574);
    grid.setColumnWidthUnits(1, 559);
    EXPECT_EQ(grid.columnWidthUnits(0), 574);
    EXPECT_EQ(grid.columnWidthUnits(1), 559);
    EXPECT_EQ(grid.verticalHeader()->width(), 38); // 38.27 pixels
    EXPECT_EQ(grid.columnWidth(0), 38);            // right edge at (574 + 559) / 15 = 75.53 -> 76
    grid.setColumnWidthUnits(0, AnswerGrid::HeaderColumnUnits);
    EXPECT_EQ(grid.verticalHeader()->width(), 50);
    EXPECT_EQ(grid.columnWidthUnits(Columns + 1), 0);
}

// A bare X server sends keys to the window under the pointer even while the program has no active
// window; a closing editor must not leave that window without a focus widget for the next key.
TEST(AnswerGridFocus, digitsTypedIntoAnInactiveWindow_allLand)
{
    FreeSheet sheet(Rows, Columns);
    QWidget window;
    window.resize(400, 200);
    auto* grid = new AnswerGrid(&window);
    grid->setSheet(sheet);
    grid->setGeometry(window.rect());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    grid->setFocus();

    OtherProgramWindow otherProgram;
    ASSERT_TRUE(otherProgram.takeActivation());
    ASSERT_FALSE(window.isActiveWindow());
    for (const char digit : std::string("141592"))
        QTest::keyClick(window.windowHandle(), digit);
    std::string row;
    for (int column = 1; column <= Columns; ++column)
        row += grid->answers().sheet().cellText(1, column).toStdString();
    EXPECT_EQ(row, "141592");
}

TEST(AnswerGridLayout, columnsHeaderAndScrollBar_fillTheGridWidthExactly)
{
    // Widths the stage computes for a 1280-pixel window: 30 columns narrowed to 559 units, 40 of 430.
    const struct
    {
        int columns, units;
    } cases[] = {{30, 559}, {36, 477}, {40, 430}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.columns);
        FreeSheet sheet(50, c.columns);
        AnswerGrid grid;
        grid.setSheet(sheet);
        for (int column = 1; column <= c.columns; ++column)
            grid.setColumnWidthUnits(column, c.units);
        const int width = int(roundHalfEven((c.units * c.columns + 750) / 15.0)) + ScrollBarWidth;
        grid.resize(width, 600);
        grid.show();
        QCoreApplication::processEvents();

        for (int column = 1; column <= c.columns; ++column)
            ASSERT_EQ(grid.columnWidthUnits(column), c.units);
        EXPECT_EQ(grid.columnWidthUnits(0), AnswerGrid::HeaderColumnUnits);
        const int columnsWidth = width - 50 - ScrollBarWidth;
        EXPECT_EQ(grid.horizontalHeader()->length(), columnsWidth);
        EXPECT_EQ(grid.viewport()->geometry(), QRect(50, 36, columnsWidth, 600 - 36));
        EXPECT_TRUE(grid.verticalScrollBar()->isVisible());
        EXPECT_EQ(grid.verticalScrollBar()->mapTo(&grid, QPoint(0, 0)).x(), width - ScrollBarWidth);
        EXPECT_EQ(grid.verticalScrollBar()->width(), ScrollBarWidth);
        EXPECT_FALSE(grid.horizontalScrollBar()->isVisible());
    }
}

TEST(AnswerGridLayout, fixedLooks)
{
    FreeSheet sheet(3, 30);
    AnswerGrid grid;
    grid.setSheet(sheet);
    grid.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.objectName(), QStringLiteral("gCevap"));
    EXPECT_EQ(grid.font().family(), tahomaFamily());
    EXPECT_DOUBLE_EQ(grid.font().pointSizeF(), 15.75);
    EXPECT_FALSE(grid.font().bold());
    EXPECT_EQ(grid.frameWidth(), 0);
    EXPECT_EQ(grid.horizontalHeader()->height(), 36);
    EXPECT_EQ(grid.rowHeight(0), 32);
    EXPECT_EQ(grid.rowHeight(2), 32);
    EXPECT_EQ(grid.verticalHeader()->width(), 50);
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(grid.currentColumn(), 1);
}

TEST(AnswerGridModelTest, headers_numberRowsAndColumnsFromOne)
{
    FreeSheet sheet(3, 30);
    FreeSheet noRows(0, 30);
    AnswerGridModel model;
    model.setEntry(&sheet);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toInt(), 1);
    EXPECT_EQ(model.headerData(29, Qt::Horizontal).toInt(), 30);
    EXPECT_EQ(model.headerData(2, Qt::Vertical).toInt(), 3);
    EXPECT_EQ(model.data(model.index(0, 0), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    model.setEntry(&noRows);
    EXPECT_FALSE(model.headerData(0, Qt::Horizontal).isValid());
}

struct ChangedRange
{
    int row, firstColumn, lastColumn;
    bool operator==(const ChangedRange&) const = default;
};

std::vector<ChangedRange> changedRanges(const QSignalSpy& spy)
{
    std::vector<ChangedRange> ranges;
    for (const QList<QVariant>& signal : spy) {
        const auto topLeft = signal.at(0).value<QModelIndex>();
        const auto bottomRight = signal.at(1).value<QModelIndex>();
        EXPECT_EQ(topLeft.row(), bottomRight.row());
        ranges.push_back({topLeft.row() + 1, topLeft.column() + 1, bottomRight.column() + 1});
    }
    return ranges;
}

TEST(AnswerGridModelTest, highlightAndBarChanges_signalOnlyTheCellsTheyTouch)
{
    FreeSheet sheet(1092, 30);
    AnswerGridModel model;
    model.setEntry(&sheet);
    QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);
    const auto step = [&](const std::function<void()>& change) {
        spy.clear();
        change();
        return changedRanges(spy);
    };
    using Ranges = std::vector<ChangedRange>;
    EXPECT_EQ(step([&] { model.setGroupHighlight(3, 11, 5); }), (Ranges{{3, 11, 15}}));
    EXPECT_EQ(step([&] { model.setGroupHighlight(3, 16, 5); }), (Ranges{{3, 11, 15}, {3, 16, 20}}));
    EXPECT_EQ(step([&] { model.setGroupHighlight(3, 16, 5); }), Ranges{});
    EXPECT_EQ(step([&] { model.setGroupHighlight(4, 28, 5); }), (Ranges{{3, 16, 20}, {4, 28, 30}}));
    EXPECT_EQ(step([&] { model.clearGroupHighlight(); }), (Ranges{{4, 28, 30}}));
    EXPECT_EQ(step([&] { model.setFlood(5, 7, BarColor, 10.0); }), (Ranges{{5, 7, 7}}));
    EXPECT_EQ(step([&] { model.setFlood(5, 7, BarColor, 20.0); }), (Ranges{{5, 7, 7}}));
    EXPECT_EQ(step([&] { model.setFlood(5, 8, BarColor, 0.0); }), (Ranges{{5, 7, 7}, {5, 8, 8}}));
    EXPECT_EQ(step([&] { model.setFlood(5, 8, BarColor, 30.0); }), (Ranges{{5, 8, 8}}));
    EXPECT_EQ(step([&] { model.clearFlood(); }), (Ranges{{5, 8, 8}}));
    EXPECT_DOUBLE_EQ(model.floodPercent(5, 8), 0.0);
    EXPECT_EQ(step([&] { model.setCellText(9, 9, QStringLiteral("4")); }), (Ranges{{9, 9, 9}}));
}

TEST(AnswerGridModelTest, cellsOutsideTheSheet_areRefused)
{
    FreeSheet sheet(2, 3);
    AnswerGridModel model;
    model.setEntry(&sheet);
    EXPECT_FALSE(model.setFlood(3, 1, BarColor, 50.0)); // the cell after the last digit of the grid
    EXPECT_FALSE(model.setFlood(1, 4, BarColor, 50.0));
    model.setGroupHighlight(1, 3, 5);
    EXPECT_TRUE(model.isHighlighted(1, 3));
    EXPECT_FALSE(model.isHighlighted(1, 2));
    model.setCellText(3, 1, QStringLiteral("1"));
    EXPECT_FALSE(model.setData(model.index(0, 0), QStringLiteral("1"), Qt::DisplayRole));
}

TEST(AnswerGridModelTest, textsTheOwnerChanged_areShownInOneChange)
{
    FreeSheet sheet(2, 3);
    AnswerGridModel model;
    model.setEntry(&sheet);
    QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);
    sheet.edit().setCellText(1, 1, QStringLiteral("1"));
    sheet.edit().setCellText(2, 3, QStringLiteral("9"));
    model.sheetTextsChanged();
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<QModelIndex>(), model.index(0, 0));
    EXPECT_EQ(spy.at(0).at(1).value<QModelIndex>(), model.index(1, 2));
    EXPECT_EQ(model.data(model.index(1, 2)).toString(), QStringLiteral("9"));
}

TEST(AnswerGridModelTest, anEdit_isHandedToTheSheetsOwner)
{
    FreeSheet sheet(2, 3);
    AnswerGridModel model;
    EXPECT_FALSE(model.setData(model.index(0, 0), QStringLiteral("4"))) << "no sheet shown";
    model.setEntry(&sheet);
    EXPECT_TRUE(model.setData(model.index(1, 2), QStringLiteral("4")));
    EXPECT_EQ(sheet.sheet().cellText(2, 3), QStringLiteral("4"));
}

TEST(AnswerGridModelTest, passesTheModelTester)
{
    CapturedWarnings warnings;
    {
        FreeSheet small(3, 4);
        FreeSheet empty(0, 0);
        FreeSheet pi(1092, 30);
        AnswerGridModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
        model.setEntry(&small);
        model.setCellText(1, 2, QStringLiteral("7"));
        model.setData(model.index(2, 3), QStringLiteral("1"));
        model.setGroupHighlight(2, 1, 4);
        model.setFlood(3, 4, BarColor, 55.0);
        model.sheetTextsChanged();
        model.setEntry(&empty);
        model.setEntry(&pi);
    }
    EXPECT_TRUE(warnings.isEmpty()) << warnings.text();
}

TEST(AnswerGridPi, fullSheetBuilds_andTheLastCellsTakeDigits)
{
    FreeSheet sheet(1092, 30);
    AnswerGrid grid;
    grid.setSheet(sheet);
    grid.resize(1185, 680);
    grid.show();
    grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    grid.setFocus();
    grid.setCurrentCell(1092, 29);
    const QRect current = grid.visualRect(grid.currentIndex());
    EXPECT_TRUE(grid.viewport()->rect().contains(current)) << "scrolled into view";

    QTest::keyClick(static_cast<QWidget*>(nullptr), '7');
    EXPECT_EQ(grid.currentColumn(), 30);
    QTest::keyClick(static_cast<QWidget*>(nullptr), '1');
    EXPECT_TRUE(grid.isEditing());
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return);
    EXPECT_EQ(grid.answers().sheet().cellText(1092, 29), QStringLiteral("7"));
    EXPECT_EQ(grid.answers().sheet().cellText(1092, 30), QStringLiteral("1"));
}

} // namespace
