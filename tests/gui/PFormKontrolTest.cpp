#include "buttons/PFormKontrol.h"
#include "ChromeTestSupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace {
constexpr int Normal = 0;
constexpr int Hover = 1;
constexpr int Pressed = 2;

struct SlotCase
{
    double x;
    int slot;
};

std::ostream& operator<<(std::ostream& out, const SlotCase& row)
{
    return out << "x " << row.x;
}

class PFormKontrolSlot : public ::testing::TestWithParam<SlotCase>
{
};

TEST_P(PFormKontrolSlot, slotAt_followsTheSlotEdges_andMaximiseIsEmptySpace)
{
    EXPECT_EQ(PFormKontrol::slotAt(GetParam().x), GetParam().slot);
}

INSTANTIATE_TEST_SUITE_P(Positions, PFormKontrolSlot,
                         ::testing::Values(SlotCase{-4, 0}, SlotCase{0, 0}, SlotCase{1, 1}, SlotCase{17, 1},
                                           SlotCase{18, 2}, SlotCase{34, 2}, SlotCase{35, 0}, SlotCase{51, 0},
                                           SlotCase{52, 4}, SlotCase{68, 4}, SlotCase{69, 0}));

class PFormKontrolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(200, 60);
        m_strip = new PFormKontrol(m_skin, m_window.get());
        m_strip->move(100, 4);
        m_window->show();
    }

    QColor slotPixel(int slot) { return probe(*m_strip, (slot - 1) * 17 + 8, 7); }
    void expectLooks(int slot1, int slot2, int slot4)
    {
        EXPECT_EQ(slotPixel(1), SyntheticSkin::stripSprite(1, slot1));
        EXPECT_EQ(slotPixel(2), SyntheticSkin::stripSprite(2, slot2));
        EXPECT_EQ(slotPixel(3), SyntheticSkin::stripSprite(3, Normal));
        EXPECT_EQ(slotPixel(4), SyntheticSkin::stripSprite(4, slot4));
    }
    void move(double x, Qt::MouseButtons buttons = Qt::NoButton, double y = 7)
    {
        sendMouse(*m_strip, QEvent::MouseMove, QPointF(x, y), Qt::NoButton, buttons);
    }
    void click(double x)
    {
        move(x);
        sendMouse(*m_strip, QEvent::MouseButtonPress, QPointF(x, 7), Qt::LeftButton, Qt::LeftButton);
        sendMouse(*m_strip, QEvent::MouseButtonRelease, QPointF(x, 7), Qt::LeftButton, Qt::NoButton);
    }
    bool holdsCapture() const { return QWidget::mouseGrabber() == m_strip; }

    QImage m_skin = SyntheticSkin::make();
    std::unique_ptr<QWidget> m_window;
    PFormKontrol* m_strip = nullptr;
};

TEST_F(PFormKontrolTest, restingImage_showsTheFourNormalSprites)
{
    EXPECT_EQ(m_strip->size(), QSize(68, 15));
    expectLooks(Normal, Normal, Normal);
    EXPECT_EQ(m_strip->hotControlSlot(), 0);
    EXPECT_EQ(m_strip->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(PFormKontrolTest, movingAcrossSlots_restoresTheOldSlotAndHoversTheNew)
{
    move(10);
    expectLooks(Hover, Normal, Normal);
    EXPECT_EQ(m_strip->hotControlSlot(), 1);
    EXPECT_TRUE(holdsCapture());

    move(20);
    expectLooks(Normal, Hover, Normal);
    EXPECT_EQ(m_strip->hotControlSlot(), 2);

    move(30, Qt::NoButton, 500);
    expectLooks(Normal, Hover, Normal);
    EXPECT_EQ(m_strip->hotControlSlot(), 2);
}

TEST_F(PFormKontrolTest, enteringMaximiseSlot_actsLikeLeavingTheStrip)
{
    for (double away : {40.0, 0.0, 69.0}) {
        move(60);
        ASSERT_EQ(m_strip->hotControlSlot(), 4);
        move(away);
        expectLooks(Normal, Normal, Normal);
        EXPECT_EQ(m_strip->hotControlSlot(), 0) << away;
        EXPECT_FALSE(holdsCapture()) << away;
    }
}

TEST_F(PFormKontrolTest, moveOutsideWithoutCapture_changesNothing)
{
    move(0);
    move(40);
    expectLooks(Normal, Normal, Normal);
    EXPECT_EQ(m_strip->hotControlSlot(), 0);
    EXPECT_FALSE(holdsCapture());
}

TEST_F(PFormKontrolTest, enteringWithLeftButtonHeld_showsPressedSprite)
{
    move(60, Qt::LeftButton);
    expectLooks(Normal, Normal, Pressed);
}

TEST_F(PFormKontrolTest, mouseDown_showsTheHotSlotPressed)
{
    move(20);
    sendMouse(*m_strip, QEvent::MouseButtonPress, QPointF(20, 7), Qt::RightButton, Qt::RightButton);
    expectLooks(Normal, Pressed, Normal);
}

struct ClickCase
{
    double x;
    int toggles;
    int minimises;
    int closes;
    int hotAfter;
};

std::ostream& operator<<(std::ostream& out, const ClickCase& row)
{
    return out << "click at x " << row.x;
}

class PFormKontrolClick : public PFormKontrolTest, public ::testing::WithParamInterface<ClickCase>
{
};

TEST_P(PFormKontrolClick, click_asksForTheSlotsAction)
{
    const ClickCase row = GetParam();
    QSignalSpy toggles(m_strip, &PFormKontrol::toggleBackgroundRequested);
    QSignalSpy minimises(m_strip, &PFormKontrol::minimiseRequested);
    QSignalSpy closes(m_strip, &PFormKontrol::closeRequested);
    click(row.x);
    EXPECT_EQ(toggles.count(), row.toggles);
    EXPECT_EQ(minimises.count(), row.minimises);
    EXPECT_EQ(closes.count(), row.closes);
    EXPECT_EQ(m_strip->hotControlSlot(), row.hotAfter);
    EXPECT_FALSE(holdsCapture());
}

INSTANTIATE_TEST_SUITE_P(Slots, PFormKontrolClick,
                         ::testing::Values(ClickCase{10, 1, 0, 0, 0}, ClickCase{20, 0, 1, 0, 0},
                                           ClickCase{40, 0, 0, 0, 0}, ClickCase{60, 0, 0, 1, 4}));

TEST_F(PFormKontrolTest, clickOnToggleOrMinimise_repaintsTheNormalSpriteAtOnce)
{
    for (double x : {10.0, 20.0}) {
        click(x);
        expectLooks(Normal, Normal, Normal);
        move(x + 1);
        EXPECT_NE(m_strip->hotControlSlot(), 0) << "the next move makes the slot hot again";
        move(0);
    }
}
} // namespace
