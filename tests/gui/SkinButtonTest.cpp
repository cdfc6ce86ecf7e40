#include "buttons/SkinButton.h"
#include "ChromeTestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace {
class SkinButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(320, 200);
        m_button = new SkinButton(m_skin, QStringLiteral("BACK"), m_window.get());
        m_button->setGeometry(10, 10, 140, 50);
        m_window->show();
    }

    // The look on the screen, read back from a pixel of the middle tile.
    QString look()
    {
        const QColor pixel = probe(*m_button, 25, 2);
        for (int state = 0; state < 3; ++state) {
            if (pixel == SyntheticSkin::middleTile(state))
                return QStringList{QStringLiteral("N"), QStringLiteral("H"), QStringLiteral("P")}[state];
        }
        return QStringLiteral("?");
    }

    void move(QPointF pos, Qt::MouseButtons buttons = Qt::NoButton)
    {
        sendMouse(*m_button, QEvent::MouseMove, pos, Qt::NoButton, buttons);
    }
    void press(QPointF pos, Qt::MouseButton button = Qt::LeftButton)
    {
        sendMouse(*m_button, QEvent::MouseButtonPress, pos, button, button);
    }
    void release(QPointF pos, Qt::MouseButton button = Qt::LeftButton)
    {
        sendMouse(*m_button, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
    }
    bool holdsCapture() const { return QWidget::mouseGrabber() == m_button; }

    QImage m_skin = SyntheticSkin::make();
    std::unique_ptr<QWidget> m_window;
    SkinButton* m_button = nullptr;
};

struct InsideCase
{
    double x;
    double y;
    bool hot;
};

std::ostream& operator<<(std::ostream& out, const InsideCase& row)
{
    return out << "(" << row.x << ", " << row.y << ")";
}

class SkinButtonInside : public SkinButtonTest, public ::testing::WithParamInterface<InsideCase>
{
};

TEST_P(SkinButtonInside, moveFromRest_hotOnlyInsideOpenLeftTopClosedRightBottom)
{
    const InsideCase row = GetParam();
    move(QPointF(row.x, row.y));
    EXPECT_EQ(m_button->buttonHot(), row.hot ? 1 : 0);
    EXPECT_EQ(look(), row.hot ? QStringLiteral("H") : QStringLiteral("N"));
    EXPECT_EQ(holdsCapture(), row.hot);
    EXPECT_EQ(m_button->cursor().shape(), row.hot ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

INSTANTIATE_TEST_SUITE_P(Positions, SkinButtonInside,
                         ::testing::Values(InsideCase{0, 25, false}, InsideCase{1, 25, true}, InsideCase{140, 25, true},
                                           InsideCase{141, 25, false}, InsideCase{70, 0, false},
                                           InsideCase{70, 1, true}, InsideCase{70, 50, true}, InsideCase{70, 51, false},
                                           InsideCase{-3, 25, false}, InsideCase{70, -1, false}));

TEST_F(SkinButtonTest, enteringWithLeftButtonHeld_showsPressed)
{
    move(QPointF(70, 25), Qt::LeftButton);
    EXPECT_EQ(look(), QStringLiteral("P"));
    EXPECT_EQ(m_button->buttonHot(), 1);
}

TEST_F(SkinButtonTest, enteringWithOtherButtonsHeld_showsHover)
{
    move(QPointF(70, 25), Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(look(), QStringLiteral("H"));
}

TEST_F(SkinButtonTest, mouseDownWhileHot_showsPressed_andLaterMovesInsidePaintNothing)
{
    move(QPointF(70, 25));
    press(QPointF(70, 25), Qt::RightButton);
    EXPECT_EQ(look(), QStringLiteral("P"));
    move(QPointF(90, 30));
    EXPECT_EQ(look(), QStringLiteral("P"));
}

TEST_F(SkinButtonTest, mouseDownWhileResting_changesNothing)
{
    press(QPointF(70, 25));
    EXPECT_EQ(look(), QStringLiteral("N"));
}

TEST_F(SkinButtonTest, pressThenSlideOff_showsNormal_andReleaseRunsNoAction)
{
    QSignalSpy clicks(m_button, &SkinButton::clicked);
    move(QPointF(70, 25));
    press(QPointF(70, 25));
    move(QPointF(160, 25), Qt::LeftButton);
    EXPECT_EQ(look(), QStringLiteral("N"));
    EXPECT_EQ(m_button->buttonHot(), 0);
    EXPECT_FALSE(holdsCapture());
    EXPECT_EQ(m_button->cursor().shape(), Qt::ArrowCursor);
    release(QPointF(160, 25));
    // Even a release reported over the button does not count once the button has gone cold.
    release(QPointF(70, 25));
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(SkinButtonTest, releaseWithoutHover_runsNoAction)
{
    QSignalSpy clicks(m_button, &SkinButton::clicked);
    press(QPointF(70, 25));
    release(QPointF(70, 25));
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(SkinButtonTest, click_showsNormalAtOnce_andOnePixelMoveShowsHoverAgain)
{
    QSignalSpy clicks(m_button, &SkinButton::clicked);
    move(QPointF(70, 25));
    press(QPointF(70, 25));
    release(QPointF(70, 25));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(look(), QStringLiteral("N"));
    EXPECT_EQ(m_button->buttonHot(), 0);
    EXPECT_FALSE(holdsCapture());

    move(QPointF(71, 25));
    EXPECT_EQ(look(), QStringLiteral("H"));
    EXPECT_EQ(m_button->buttonHot(), 1);
}

TEST_F(SkinButtonTest, rightButtonRelease_isNoClick)
{
    QSignalSpy clicks(m_button, &SkinButton::clicked);
    move(QPointF(70, 25));
    press(QPointF(70, 25), Qt::RightButton);
    release(QPointF(70, 25), Qt::RightButton);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(m_button->buttonHot(), 1);
}

TEST_F(SkinButtonTest, resize_repaintsNormalAtTheNewSize_keepingButtonHot)
{
    move(QPointF(70, 25));
    m_button->resize(150, 50);
    EXPECT_EQ(look(), QStringLiteral("N"));
    EXPECT_EQ(m_button->buttonHot(), 1);
    EXPECT_EQ(probe(*m_button, 130, 2), SyntheticSkin::rightCap(0));
    EXPECT_EQ(probe(*m_button, 129, 2), SyntheticSkin::middleTile(0));
}

TEST_F(SkinButtonTest, tooWideCaption_smallerFontKeptForTheNextPaint)
{
    m_button->setCaption(QStringLiteral("WWWWWWWWWWWW"));
    const double shrunk = m_button->captionFont().pointSizeF();
    EXPECT_LT(shrunk, 12.75);
    m_button->setCaption(QStringLiteral("BACK"));
    EXPECT_DOUBLE_EQ(m_button->captionFont().pointSizeF(), shrunk);
}

class SkinButtonFocus : public SkinButtonTest
{
protected:
    void SetUp() override
    {
        SkinButtonTest::SetUp();
        m_grid = new QLineEdit(m_window.get());
        m_grid->setGeometry(10, 100, 200, 30);
        m_grid->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        m_grid->setFocus();
    }

    QLineEdit* m_grid = nullptr;
};

TEST_F(SkinButtonFocus, buttonPassingFocus_neverKeepsIt)
{
    m_button->passFocusTo(m_grid);

    QTest::keyClick(m_grid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), m_grid);

    move(QPointF(70, 25));
    press(QPointF(70, 25));
    release(QPointF(70, 25));
    EXPECT_EQ(QApplication::focusWidget(), m_grid);

    m_button->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), m_grid);
}

TEST_F(SkinButtonFocus, buttonWithoutTarget_takesFocus)
{
    m_button->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), m_button);
}
} // namespace
