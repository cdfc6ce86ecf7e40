#include "FakeClock.h"
#include "OtherProgramWindow.h"
#include "base/Clock.h"
#include "boxes/ScriptedDialog.h"
#include "boxes/modMsgBox.h"
#include "buttons/PFormKontrol.h"
#include "digits/SpecialNumbers.h"
#include "files/ProgramDirectory.h"
#include "frmMain/ScreenNavigation.h"
#include "frmMain/frmMain.h"
#include "frmSpecialNumber_Main/frmSpecialNumber_Main.h"
#include "frmZFon/frmZFon.h"
#include "skin/Fonts.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {
const QRect LargeScreen(0, 0, 1600, 1000);

class SettingsWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        setProgramDirectory(m_dir.path());
    }

    void TearDown() override
    {
        m_window.reset();
        setProgramDirectory(QString());
    }

    frmMain& makeWindow(QRect screen = LargeScreen)
    {
        m_window = std::make_unique<frmMain>(m_clock);
        m_window->setScreenGeometryProvider([screen] { return screen; }, [screen] { return screen; });
        return *m_window;
    }

    frmMain& loadedAndShown()
    {
        frmMain& window = makeWindow();
        EXPECT_TRUE(window.load());
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        return window;
    }

    QByteArray settingsFile() const
    {
        QFile file(m_dir.filePath(QStringLiteral("settings.xml")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A data folder below a plain file: it can be neither made nor written, even by the superuser.
    void pointAtUnwritableFolder()
    {
        QFile blocker(m_dir.filePath(QStringLiteral("blocker")));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        setProgramDirectory(m_dir.filePath(QStringLiteral("blocker/data")));
    }

    // The texts of the boxes `action` shows, answered in turn with `answers`. One box more than
    // expected is answered No and shows in the result, so that it fails the test instead of hanging it.
    static QStringList boxesShownWhile(const std::function<void()>& action, const QList<int>& answers)
    {
        // Earlier tests may leave answers for boxes that never opened.
        ScriptedDialog::clearScript();
        QStringList texts;
        for (int answer : answers + QList<int>{MsgBoxNo}) {
            ScriptedDialog::scriptNext([&texts, answer](QDialog& dialog) {
                const auto* text = dialog.findChild<QLabel*>(QStringLiteral("messageText"));
                texts << (text ? text->text() : dialog.objectName());
                dialog.done(answer);
            });
        }
        action();
        ScriptedDialog::clearScript();
        return texts;
    }

    void clickStripAt(frmMain& window, int x)
    {
        auto* strip = window.findChild<PFormKontrol*>(QStringLiteral("PFormKontrol"));
        QTest::mouseMove(strip, QPoint(x, 7));
        QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(x, 7));
    }

    QTemporaryDir m_dir;
    FakeClock m_clock{36000.0f};
    std::unique_ptr<frmMain> m_window;
};
} // namespace

TEST_F(SettingsWindowTest, screenHeight_decidesTheWindowOrRefusesToStart)
{
    const struct
    {
        int height;
        bool starts;
        QSize size;
    } cases[] = {{767, false, {}}, {768, true, {1366, 768}}, {799, true, {1366, 799}}, {800, true, {1280, 800}}};
    for (const auto& c : cases) {
        frmMain& window = makeWindow(QRect(0, 0, 1366, c.height));
        scriptMsgBoxAnswer(MsgBoxYes);
        EXPECT_EQ(window.load(), c.starts) << c.height;
        if (c.starts) {
            EXPECT_EQ(window.size(), c.size) << c.height;
        }
    }
}

TEST_F(SettingsWindowTest, firstRun_showsAndWritesTheDefaults)
{
    frmMain& window = loadedAndShown();
    const auto text = [&](const char* name) {
        return window.findChild<QComboBox*>(QString::fromLatin1(name))->currentText();
    };
    EXPECT_EQ(text("cmbType"), QStringLiteral("Digits of SQRT(2)"));
    EXPECT_EQ(text("cmbColCount"), QStringLiteral("30"));
    EXPECT_EQ(text("cmbGroupCount"), QStringLiteral("1"));
    EXPECT_EQ(text("cmbTimer"), QStringLiteral("Yes"));
    EXPECT_EQ(text("cmbConTime"), QStringLiteral("60"));
    EXPECT_EQ(text("cmbCellTimer"), QStringLiteral("Yes"));
    EXPECT_TRUE(settingsFile().contains("set01=\"0\" set02=\"30\" set03=\"1\" set04=\"0\" set05=\"60\" set06=\"0\""));
    EXPECT_EQ(window.specialNumber().SelectedDigits().left(4), QStringLiteral("4142"));
}

TEST_F(SettingsWindowTest, panel_isCentredFortyPixelsAboveTheBottom)
{
    frmMain& window = loadedAndShown();
    auto* panel = window.findChild<QWidget*>(QStringLiteral("picAyarlar"));
    EXPECT_EQ(panel->geometry(), QRect(265, 495, 750, 265));
    auto* start = window.findChild<QPushButton*>(QStringLiteral("btnStart"));
    EXPECT_EQ(start->size(), QSize(175, 45));
    EXPECT_EQ(start->y(), 265 - 55);
}

TEST_F(SettingsWindowTest, webAddress_endsTwentyPixelsLeftOfTheStripWithItsShadowBehind)
{
    frmMain& window = loadedAndShown();
    auto* label = window.findChild<QLabel*>(QStringLiteral("lbKucukURL"));
    auto* shadow = window.findChild<QLabel*>(QStringLiteral("lbKucukURLGolge"));
    auto* strip = window.findChild<QWidget*>(QStringLiteral("PFormKontrol"));
    EXPECT_EQ(strip->geometry(), QRect(1280 - 72, 4, 68, 15));
    EXPECT_EQ(label->x() + label->width(), strip->x() - 20);
    EXPECT_EQ(label->y(), 3);
    EXPECT_EQ(shadow->pos(), label->pos() + QPoint(1, 1));
}

TEST_F(SettingsWindowTest, pickingAColumnCount_storesAtOnceButOtherListsWaitForStart)
{
    frmMain& window = loadedAndShown();
    window.settings().finishLoading();
    auto* timer = window.findChild<QComboBox*>(QStringLiteral("cmbTimer"));
    timer->activated(1);
    EXPECT_TRUE(settingsFile().contains("set04=\"0\""));

    auto* columns = window.findChild<QComboBox*>(QStringLiteral("cmbColCount"));
    columns->activated(2);
    auto* groups = window.findChild<QComboBox*>(QStringLiteral("cmbGroupCount"));
    EXPECT_EQ(groups->count(), 7);
    EXPECT_EQ(groups->currentText(), QStringLiteral("1"));
    EXPECT_TRUE(settingsFile().contains("set02=\"40\" set03=\"1\" set04=\"1\""));
}

TEST_F(SettingsWindowTest, start_storesTheSettingsAndOpensTheStageBelowTheTitleStrip)
{
    frmMain& window = loadedAndShown();
    QFile::remove(m_dir.filePath(QStringLiteral("settings.xml")));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("btnStart")), Qt::LeftButton);

    EXPECT_TRUE(window.CompetitionMode());
    EXPECT_TRUE(settingsFile().contains("set02=\"30\""));
    QWidget* stage = window.workingScreen();
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(stage->objectName(), QStringLiteral("frmSpecialNumber_Main"));
    EXPECT_EQ(stage->geometry(), QRect(window.x(), window.y() + 25, window.width(), window.height() - 25));
    stage->close();
}

TEST_F(SettingsWindowTest, competitionLook_dropsTheSettingsTitle)
{
    frmMain& window = loadedAndShown();
    const auto redPixelsInTitleRow = [&] {
        const QImage image = window.grab(QRect(300, 45, window.width() - 600, 40)).toImage();
        int red = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                red += image.pixelColor(x, y) == QColor(192, 0, 0);
        return red;
    };
    EXPECT_GT(redPixelsInTitleRow(), 100);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("btnStart")), Qt::LeftButton);
    ASSERT_TRUE(window.CompetitionMode());
    EXPECT_EQ(redPixelsInTitleRow(), 0);

    // Leaving the stage brings the settings look back.
    auto* stage = qobject_cast<frmSpecialNumber_Main*>(window.workingScreen());
    ASSERT_NE(stage, nullptr);
    scriptMsgBoxAnswer(MsgBoxYes);
    stage->confirmLeave();
    EXPECT_FALSE(window.CompetitionMode());
    EXPECT_EQ(window.workingScreen(), nullptr);
    EXPECT_GT(redPixelsInTitleRow(), 100);
}

TEST(ScreenNavigation, workingScreenGoneHoweverItWent_showsTheSettings)
{
    ScreenNavigation screens;
    EXPECT_EQ(screens.current(), MainScreen::Settings);
    auto window = std::make_unique<QWidget>();
    screens.show(MainScreen::Results, window.get());
    EXPECT_EQ(screens.current(), MainScreen::Results);
    EXPECT_EQ(screens.workingScreen(), window.get());
    window.reset();
    EXPECT_EQ(screens.current(), MainScreen::Settings);
    EXPECT_EQ(screens.workingScreen(), nullptr);
}

TEST_F(SettingsWindowTest, startWithoutAWritableDataFolder_asksAndNoStaysInTheSettings)
{
    const struct
    {
        int answer;
        bool stageOpens;
    } cases[] = {{MsgBoxNo, false}, {MsgBoxYes, true}};
    for (const auto& c : cases) {
        setProgramDirectory(m_dir.path());
        frmMain& window = loadedAndShown();
        pointAtUnwritableFolder();
        const QStringList boxes = boxesShownWhile(
            [&] { QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("btnStart")), Qt::LeftButton); },
            {c.answer});

        // One box: the question, with the reason; the failed settings store that follows says nothing more.
        ASSERT_EQ(boxes.size(), 1) << c.answer << boxes.join(u'|').toStdString();
        EXPECT_TRUE(boxes[0].startsWith(QStringLiteral("The drafts of this attempt cannot be saved:")));
        EXPECT_TRUE(boxes[0].contains(QStringLiteral("blocker"))) << boxes[0].toStdString();
        EXPECT_TRUE(boxes[0].endsWith(QStringLiteral("Start anyway?")));
        EXPECT_EQ(window.workingScreen() != nullptr, c.stageOpens) << c.answer;
        EXPECT_EQ(window.CompetitionMode(), c.stageOpens) << c.answer;
        if (QWidget* stage = window.workingScreen())
            stage->close();
        m_window.reset();
    }
}

TEST_F(SettingsWindowTest, startWithAWritableDataFolder_asksNothing)
{
    frmMain& window = loadedAndShown();
    // A data folder that is not there yet is made when it is needed.
    setProgramDirectory(m_dir.filePath(QStringLiteral("not/yet/there")));
    const QStringList boxes = boxesShownWhile(
        [&] { QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("btnStart")), Qt::LeftButton); }, {});
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(u'|').toStdString();
    ASSERT_NE(window.workingScreen(), nullptr);
    EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("not/yet/there/settings.xml"))));
    window.workingScreen()->close();
}

TEST_F(SettingsWindowTest, unwritableSettingsFile_isReportedOnceWithItsReason)
{
    pointAtUnwritableFolder();
    frmMain& window = makeWindow();
    QStringList boxes = boxesShownWhile([&] { EXPECT_TRUE(window.load()); }, {MsgBoxYes});
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].startsWith(QStringLiteral("The settings could not be saved.")));
    EXPECT_TRUE(boxes[0].contains(QStringLiteral("blocker"))) << boxes[0].toStdString();

    window.show();
    window.settings().finishLoading();
    // Later stores fail as well, silently; the chosen values stay in use.
    boxes = boxesShownWhile([&] { window.findChild<QComboBox*>(QStringLiteral("cmbColCount"))->activated(2); }, {});
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(u'|').toStdString();
    EXPECT_EQ(window.settings().list(SettingsListId::ColCount).text(), QStringLiteral("40"));
}

TEST_F(SettingsWindowTest, stripSlotOne_togglesTheBackgroundAndSlotFourCloses)
{
    frmMain& window = loadedAndShown();
    clickStripAt(window, 8);
    ASSERT_TRUE(window.backgroundShown());
    ASSERT_NE(window.backgroundWindow(), nullptr);
    EXPECT_TRUE(window.backgroundWindow()->isVisible());
    clickStripAt(window, 9);
    EXPECT_FALSE(window.backgroundShown());
    EXPECT_FALSE(window.backgroundWindow()->isVisible());

    clickStripAt(window, 60);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(SettingsWindowTest, minimiseWithBackgroundOn_hidesItButKeepsTheFlag)
{
    frmMain& window = loadedAndShown();
    clickStripAt(window, 8);
    clickStripAt(window, 25);
    EXPECT_TRUE(window.backgroundShown());
    EXPECT_FALSE(window.backgroundWindow()->isVisible());
}

TEST_F(SettingsWindowTest, panelTexts_areTwelvePointBoldTahoma)
{
    frmMain& window = loadedAndShown();
    for (const char* name : {"lbBilgi0", "lbBilgi3", "cmbType", "btnStart"}) {
        auto* widget = window.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(widget, nullptr) << name;
        const QFontInfo info(widget->font());
        EXPECT_TRUE(info.bold()) << name;
        EXPECT_EQ(info.family(), tahomaFamily()) << name;
        EXPECT_EQ(info.pointSizeF(), 12.0) << name;
    }
}

TEST_F(SettingsWindowTest, activation_putsTheFocusOnStartOnlyFromWithinTheProgram)
{
    frmMain& window = loadedAndShown();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* start = window.findChild<QPushButton*>(QStringLiteral("btnStart"));
    EXPECT_TRUE(start->hasFocus());
    EXPECT_FALSE(window.isLoading());

    auto* timer = window.findChild<QComboBox*>(QStringLiteral("cmbTimer"));
    timer->setFocus();
    // Another program takes the focus and gives it back.
    OtherProgramWindow otherProgram;
    ASSERT_TRUE(otherProgram.takeActivation());
    ASSERT_FALSE(window.isActiveWindow());
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(timer->hasFocus());

    // One of the program's windows closing over it hands the activation back from within.
    QWidget dialog(&window, Qt::Window);
    dialog.resize(100, 100);
    dialog.show();
    dialog.activateWindow();
    // A child window counts as active as soon as its owner is; wait for its own activation.
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &dialog; }));
    dialog.close();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(start->hasFocus());
}
