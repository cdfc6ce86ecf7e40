// The recall stage from START to the recall phase: creation, layout, countdown, time display, group.
#include "RecallStageFixture.h"

#include "buttons/SkinButton.h"
#include "digits/SpecialNumbers.h"
#include "files/ProgramDirectory.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "frmSpecialNumber_Main/ConcentrationPanel.h"
#include "frmSpecialNumber_Main/TimeDisplay.h"
#include "record/AttemptRecordDocument.h"
#include "skin/ShadowedText.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"

#include <QFile>
#include <QLabel>
#include <QTest>

namespace {

class RecallStageTest : public RecallStageFixture
{
protected:
    QLabel& groupLabel() const { return *m_stage->findChild<QLabel*>(QStringLiteral("lbGroup")); }

    static int countPixels(const QImage& image, QRgb colour)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        return count;
    }
};

TEST_F(RecallStageTest, start_buildsTheGridFromTheSelectedDigitsAndSettings)
{
    pick(SettingsListId::ColCount, 2); // 40
    start();
    const int rows = int(m_main->specialNumber().SelectedDigits().length() / 40);
    EXPECT_EQ(m_stage->state().digitsPerRow, 40);
    EXPECT_EQ(grid().dataColumnCount(), 40);
    EXPECT_EQ(grid().dataRowCount(), rows);
    EXPECT_EQ(grid().answers().headerData(39, Qt::Horizontal).toInt(), 40);
    EXPECT_EQ(grid().answers().headerData(rows - 1, Qt::Vertical).toInt(), rows);
    const AttemptRecordDocument& record = m_stage->attempt().AttemptRecord();
    EXPECT_EQ(record.rowCount(), rows);
    EXPECT_EQ(record.questions().cellText(1, 1), m_main->specialNumber().SelectedDigits().left(1));
    EXPECT_EQ(record.questions().cellText(2, 1), m_main->specialNumber().SelectedDigits().mid(40, 1));
    EXPECT_EQ(std::make_pair(grid().currentRow(), grid().currentColumn()), std::make_pair(1, 1));
    EXPECT_EQ(m_stage->geometry(), QRect(m_main->x(), m_main->y() + 25, m_main->width(), m_main->height() - 25));
}

TEST_F(RecallStageTest, draftNumber_avoidsAnExistingDraftFile)
{
    start();
    const int first = m_stage->state().draftNumber;
    m_stage->close();
    flushDeletes();
    QFile existing(programFilePath(QStringLiteral("draft_record_%1.xml").arg(first)));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();

    // The same clock reading seeds the same first pick, which is now taken.
    m_clock.set(StartTime);
    start();
    EXPECT_NE(m_stage->state().draftNumber, first);
    EXPECT_GE(m_stage->state().draftNumber, 0);
    EXPECT_LT(m_stage->state().draftNumber, 30000);
}

TEST_F(RecallStageTest, layout_sizesColumnsFromTheWindowWidth)
{
    const struct
    {
        int columnsPosition;
        int columnUnits;
        QRect grid;
    } cases[] = {
        // 1214 px wide at first; 574 units would need 1215, so the columns narrow to 559: 1185 px at 47.5.
        {0, 559, QRect(48, 94, 1185, 775 - 120)},
        // 430 units fit: 1213.7 px wide at 33.2.
        {2, 430, QRect(33, 94, 1214, 775 - 120)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.columnsPosition);
        pick(SettingsListId::ColCount, c.columnsPosition);
        start();
        ASSERT_EQ(m_stage->width(), 1280);
        EXPECT_EQ(grid().columnWidthUnits(1), c.columnUnits);
        EXPECT_EQ(grid().columnWidthUnits(grid().dataColumnCount()), c.columnUnits);
        EXPECT_EQ(grid().columnWidthUnits(0), 750);
        EXPECT_EQ(grid().geometry(), c.grid);

        EXPECT_EQ(timeDisplay().geometry(), QRect(595 + 69, 0, 212, 81));
        EXPECT_EQ(groupLabel().pos(), QPoint(c.grid.x(), 94 - 22));
        EXPECT_EQ(button("btnFinish").geometry(), QRect(c.grid.right() + 1 - 140, 34, 140, 50));
        EXPECT_EQ(button("btnBack").geometry(), QRect(c.grid.right() + 1 - 290, 34, 140, 50));
        EXPECT_EQ(concentrationPanel().geometry(), QRect(20, 85, 1240, 665));
        EXPECT_EQ(button("btnCancel").geometry(), QRect((1240 - 150) / 2, 665 - 80, 150, 50));
        m_stage->close();
        flushDeletes();
    }
}

TEST_F(RecallStageTest, layout_paintsTheTimePanelTabAndTheGridBorderFromTheSkin)
{
    start();
    enterRecall(); // the countdown panel no longer covers the grid
    const QImage shown = m_stage->grab().toImage();
    const QImage& skin = skinImage();
    using namespace SkinPieces;
    // Left end, a middle tile and the right end of the tab at x = 595, 26 pixels down.
    EXPECT_EQ(shown.pixel(595 + 10, 26 + 50), skin.pixel(TimePanelLeft.x() + 10, TimePanelLeft.y() + 50));
    EXPECT_EQ(shown.pixel(595 + 69 + 100, 26 + 56), skin.pixel(TimePanelMiddle.x(), TimePanelMiddle.y() + 56));
    EXPECT_EQ(shown.pixel(595 + 281 + 60, 26 + 40), skin.pixel(TimePanelRight.x() + 60, TimePanelRight.y() + 40));
    // The border round the grid, 4 pixels wide just outside it.
    const QRect gridRect = grid().geometry();
    EXPECT_EQ(shown.pixel(gridRect.left() - 2, gridRect.top() + 100),
              skin.pixel(ControlLeftTile.x() + 2, ControlLeftTile.y() + (100 + 4) % 4));
}

TEST_F(RecallStageTest, countdown_showsWholeSecondsAndHandsOverAtZero)
{
    pick(SettingsListId::ConTime, 10); // 60 seconds
    start();
    EXPECT_EQ(concentrationPanel().shownText(), QStringLiteral("60"));
    EXPECT_TRUE(concentrationPanel().isVisible());
    EXPECT_TRUE(button("btnCancel").isVisible());
    EXPECT_TRUE(clock("trmConcentration").isActive());

    const struct
    {
        float elapsed;
        const char* text;
    } ticks[] = {
        {0.0f, "60"}, {0.5f, "60"}, {0.51f, "59"}, {1.0f, "59"}, {59.49f, "01"}, {59.5f, "00"},
    };
    for (const auto& tick : ticks) {
        SCOPED_TRACE(tick.elapsed);
        m_clock.set(StartTime + tick.elapsed);
        m_stage->concentrationTick();
        EXPECT_EQ(concentrationPanel().shownText(), QLatin1String(tick.text));
        EXPECT_TRUE(concentrationPanel().isVisible());
        EXPECT_FALSE(button("btnFinish").isVisible());
    }
    const QImage panel = concentrationPanel().grab().toImage();
    EXPECT_GT(countPixels(panel, ShadowedTextColour), 1000);
    EXPECT_GT(countPixels(panel, qRgb(255, 255, 255)), 100);

    m_clock.set(StartTime + 60.0f);
    m_stage->concentrationTick();
    EXPECT_FALSE(concentrationPanel().isVisible());
    EXPECT_FALSE(button("btnCancel").isVisible());
    EXPECT_FALSE(clock("trmConcentration").isActive());
    EXPECT_TRUE(clock("trmSure").isActive());
    EXPECT_TRUE(button("btnBack").isVisible());
    EXPECT_TRUE(button("btnFinish").isVisible());
    EXPECT_TRUE(groupLabel().isVisible());
    EXPECT_EQ(groupLabel().text(), QStringLiteral("Group No : 1"));
    EXPECT_FLOAT_EQ(m_stage->state().stageStartTime, StartTime + 60.0f);
}

TEST_F(RecallStageTest, shortCountdown_startsWithTwoDigits)
{
    pick(SettingsListId::ConTime, 0); // 3 seconds
    start();
    EXPECT_EQ(concentrationPanel().shownText(), QStringLiteral("03"));
}

TEST_F(RecallStageTest, resizeDuringRecall_keepsThePanelHiddenAndRelaysTheGrid)
{
    start();
    enterRecall();
    m_stage->resize(1100, 700);
    EXPECT_FALSE(concentrationPanel().isVisible());
    EXPECT_EQ(grid().geometry().top(), 94);
    EXPECT_EQ(grid().geometry().height(), 700 - 120);
    EXPECT_LT(grid().geometry().width(), 1100 - 66 + 1);
    EXPECT_EQ(timeDisplay().x(), (1100 - 350) / 2 + 130 + 69);
}

TEST_F(RecallStageTest, timeDisplay_countsDownAndToggledCountsUp)
{
    start();
    EXPECT_EQ(timeDisplay().shownText(), QStringLiteral("8:00:00"));
    const float recall = enterRecall();

    const struct
    {
        float elapsed;
        bool click;
        const char* text;
    } ticks[] = {
        {0.0f, false, "8:00:00"},    {0.5f, false, "8:00:00"}, // 28799.5 rounds to even
        {0.51f, false, "7:59:59"},   {61.0f, false, "7:58:59"},  {61.0f, true, "0:01:01"},
        {3661.0f, false, "1:01:01"}, {3662.0f, true, "6:58:58"},
    };
    for (const auto& tick : ticks) {
        SCOPED_TRACE(tick.elapsed);
        if (tick.click)
            QTest::mouseClick(&timeDisplay(), Qt::LeftButton);
        m_clock.set(recall + tick.elapsed);
        m_stage->stageTick();
        EXPECT_EQ(timeDisplay().shownText(), QLatin1String(tick.text));
    }
    EXPECT_GT(countPixels(timeDisplay().grab().toImage(), ShadowedTextColour), 200);
    // The display never keeps the focus: typing still goes to the grid.
    EXPECT_TRUE(grid().hasFocus());
}

TEST_F(RecallStageTest, timeDisplayOff_staysBlankWhileTheClockRuns)
{
    pick(SettingsListId::Timer, 1); // No
    start();
    const float recall = enterRecall();
    m_clock.set(recall + 10.0f);
    m_stage->stageTick();
    EXPECT_EQ(timeDisplay().shownText(), QString());
    EXPECT_EQ(countPixels(timeDisplay().grab().toImage(), ShadowedTextColour), 0);
    EXPECT_FLOAT_EQ(m_stage->state().stageSeconds, 10.0f);
}

TEST_F(RecallStageTest, groupLabelAndHighlight_followTheCursor)
{
    const struct
    {
        int groupPosition; // in the list for 30 columns: 1,2,3,5,6,10,15
        int row, column;
        int group, first, last;
    } cases[] = {
        {3, 3, 12, 15, 11, 15},
        {0, 2, 5, 35, 5, 5},
        {6, 4, 16, 8, 16, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.group);
        pick(SettingsListId::ColCount, 0);
        pick(SettingsListId::GroupCount, c.groupPosition);
        start();
        enterRecall();
        grid().setCurrentCell(c.row, c.column);
        EXPECT_EQ(groupLabel().text(), QStringLiteral("Group No : %1").arg(c.group));
        for (int column = 1; column <= 30; ++column) {
            const bool inGroup = column >= c.first && column <= c.last;
            EXPECT_EQ(grid().answers().isHighlighted(c.row, column), inGroup) << column;
        }
        EXPECT_FALSE(grid().answers().isHighlighted(c.row - 1, c.first));
        m_stage->close();
        flushDeletes();
    }
}

TEST_F(RecallStageTest, typedDigits_moveTheGroupWithTheCursor)
{
    pick(SettingsListId::ColCount, 0);
    pick(SettingsListId::GroupCount, 3); // 5
    start();
    enterRecall();
    typeAt(1, 28, QStringLiteral("123"));
    EXPECT_EQ(std::make_pair(grid().currentRow(), grid().currentColumn()), std::make_pair(2, 1));
    EXPECT_EQ(groupLabel().text(), QStringLiteral("Group No : 7"));
    EXPECT_TRUE(grid().answers().isHighlighted(2, 5));
    EXPECT_FALSE(grid().answers().isHighlighted(1, 28));
}

} // namespace
