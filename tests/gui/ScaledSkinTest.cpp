// Runs with QT_SCALE_FACTOR=2: every logical pixel is two device pixels across.
#include "FakeClock.h"
#include "PixelProbe.h"
#include "base/Clock.h"
#include "buttons/SkinButton.h"
#include "files/ProgramDirectory.h"
#include "frmMain/frmMain.h"
#include "skin/FramePainter.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace SkinPieces;
using PixelProbe::firstDifference;

namespace {
constexpr int Scale = 2;

QRect deviceRect(const QRect& logical)
{
    return QRect(logical.topLeft() * Scale, logical.size() * Scale);
}

// Device pixels of `widget` as the screen shows them.
QImage grabbed(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// How many device pixels of `image` at `area` differ from `other` at `otherTopLeft`.
int differingPixels(const QImage& image, const QRect& area, const QImage& other, QPoint otherTopLeft)
{
    int count = 0;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            count += (image.pixel(area.topLeft() + QPoint(x, y)) & 0xFFFFFF) !=
                     (other.pixel(otherTopLeft + QPoint(x, y)) & 0xFFFFFF);
    return count;
}

class ScaledSkinTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        setProgramDirectory(m_dir.path());
        m_window = std::make_unique<frmMain>(m_clock);
        const QRect screen(0, 0, 1600, 1000);
        m_window->setScreenGeometryProvider([screen] { return screen; }, [screen] { return screen; });
        ASSERT_TRUE(m_window->load());
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        ASSERT_EQ(m_window->devicePixelRatio(), Scale);
    }

    void TearDown() override
    {
        m_window.reset();
        setProgramDirectory(QString());
    }

    // Where the settings look put the emblem: its formula uses the title's line height as painted.
    static QPoint emblemAt(QSize window)
    {
        QImage surface(1, 1, QImage::Format_RGB32);
        surface.setDevicePixelRatio(Scale);
        QPainter painter(&surface);
        painter.setFont(settingsTitleFont());
        return settingsDecorationPlacement(window, painter.fontMetrics().height()).emblem;
    }

    QTemporaryDir m_dir;
    FakeClock m_clock{36000.0f};
    std::unique_ptr<frmMain> m_window;
};
} // namespace

TEST(ScaledSkin, doubleSizeSkin_isBuiltInAtTwiceTheSize)
{
    const QImage& skin = skinImage2x();
    ASSERT_FALSE(skin.isNull());
    EXPECT_EQ(skin.size(), QSize(SkinWidth, SkinHeight) * Scale);
    EXPECT_EQ(skin.devicePixelRatio(), Scale);
    EXPECT_EQ(skin.deviceIndependentSize().toSize(), skinImage().size());
}

TEST_F(ScaledSkinTest, emblem_isCopiedFromTheDoubleSizeSkinNotStretched)
{
    const QImage screen = grabbed(*m_window);
    ASSERT_EQ(screen.size(), QSize(1280, 800) * Scale);
    const QRect emblem = deviceRect(QRect(emblemAt(m_window->size()), EmblemPicture.size()));

    EXPECT_EQ(firstDifference(screen, emblem, skinImage2x(), EmblemPicture.topLeft() * Scale), QString());
    // The 1x emblem blown up is another picture: the digits of its spiral are blurred.
    const QImage stretched = skinImage().copy(EmblemPicture).scaled(emblem.size());
    EXPECT_GT(differingPixels(screen, emblem, stretched, QPoint(0, 0)), emblem.width() * emblem.height() / 20);
}

TEST_F(ScaledSkinTest, framePiecesAndStripSprites_comeFromTheDoubleSizeSkinAtTheirLogicalPlaces)
{
    const QImage screen = grabbed(*m_window);
    const int w = m_window->width(), h = m_window->height();
    const QRect panel = m_window->findChild<QWidget*>(QStringLiteral("picAyarlar"))->geometry();
    const struct
    {
        const char* what;
        QPoint at; // logical
        QRect piece;
    } cases[] = {
        {"settings top-left corner", {0, 0}, SettingsTopLeftCorner},
        {"bottom-left corner", {0, h - 40}, BottomLeftCorner},
        {"bottom-right corner", {w - 40, h - 40}, BottomRightCorner},
        {"left slice", {0, 300}, LeftSlice},
        {"panel's top-left corner", panel.topLeft() - QPoint(4, 4), ControlTopLeftCorner},
        {"strip: background toggle", {w - 72, 4}, stripSprite(SpriteBackgroundToggleX, SpriteRowNormal)},
        {"strip: close", {w - 72 + 51, 4}, stripSprite(SpriteCloseX, SpriteRowNormal)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(
            firstDifference(screen, deviceRect(QRect(c.at, c.piece.size())), skinImage2x(), c.piece.topLeft() * Scale),
            QString())
            << c.what;
    }
}

TEST_F(ScaledSkinTest, logicalGeometry_isTheSameAsAtScaleOne)
{
    EXPECT_EQ(m_window->size(), QSize(1280, 800));
    EXPECT_EQ(m_window->findChild<QWidget*>(QStringLiteral("picAyarlar"))->geometry(), QRect(265, 495, 750, 265));
    EXPECT_EQ(m_window->findChild<QWidget*>(QStringLiteral("PFormKontrol"))->geometry(), QRect(1208, 4, 68, 15));
}

TEST_F(ScaledSkinTest, skinButton_capsComeFromTheDoubleSizeSkin)
{
    SkinButton button(skinImage(), QStringLiteral("FINISH"), m_window.get());
    button.setGeometry(100, 100, 175, 45);
    button.show();
    const QImage shown = grabbed(button);
    ASSERT_EQ(shown.size(), QSize(175, 45) * Scale);
    // The caps' outer halves: the caption, centred, never reaches them.
    const QRect leftCapOuterHalf(0, 0, 10, 45);
    EXPECT_EQ(
        firstDifference(shown, deviceRect(leftCapOuterHalf), skinImage2x(), ButtonNormal.leftCap.topLeft() * Scale),
        QString());
    const QRect rightCapOuterHalf(175 - 10, 0, 10, 45);
    EXPECT_EQ(firstDifference(shown, deviceRect(rightCapOuterHalf), skinImage2x(),
                              (ButtonNormal.rightCap.topLeft() + QPoint(10, 0)) * Scale),
              QString());
}
