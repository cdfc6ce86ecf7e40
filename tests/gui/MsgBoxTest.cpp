#include "ChromeTestSupport.h"
#include "boxes/ScriptedDialog.h"
#include "boxes/modMsgBox.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

namespace {
class MsgBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_owner = std::make_unique<QWidget>();
        m_owner->resize(400, 300);
        m_owner->show();
    }

    void TearDown() override
    {
        EXPECT_EQ(ScriptedDialog::scriptedStepsLeft(), 0);
        ScriptedDialog::clearScript();
        EXPECT_EQ(m_request.MsgBoxWindow(), nullptr);
        EXPECT_EQ(m_request.openBox(), nullptr);
    }

    // Fills the request the way both stage confirmations do.
    void fillRequest(int countdownTicks)
    {
        m_request.HookWindow = m_owner.get();
        m_request.OwnerWindow = m_owner.get();
        m_request.Title = QStringLiteral("KORVALIN");
        m_request.Prompt = QStringLiteral("Do you want to finish this stage?");
        m_request.Style = 36;
        m_request.CountdownOn = true;
        m_request.CountdownTicks = countdownTicks;
        m_request.TickInterval = 1000;
        m_request.AutoButton = MsgBoxNo;
        m_request.TickCount = 0;
    }

    int show() { return ShowMsgBox(m_request, m_owner.get()); }

    static void whileOpen(std::function<void(QDialog&)> step) { ScriptedDialog::scriptNext(std::move(step)); }
    static QPushButton* button(QDialog& box, const char* name)
    {
        return box.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    static QTimer* ticker(QDialog& box) { return box.findChild<QTimer*>(QStringLiteral("trmMsgBox")); }

    std::unique_ptr<QWidget> m_owner;
    MsgBoxRequest m_request;
};

TEST_F(MsgBoxTest, countdown_focusesAndClicksNoAfterNTicks)
{
    fillRequest(5);
    bool noHadFocus = false;
    whileOpen([&](QDialog& box) {
        QPushButton* no = button(box, "btnNo");
        QObject::connect(no, &QPushButton::clicked, [&noHadFocus, no, &box] { noHadFocus = box.focusWidget() == no; });
        for (int tick = 1; tick <= 4; ++tick) {
            msgBoxTick(m_request);
            EXPECT_EQ(m_request.TickCount, tick);
            EXPECT_EQ(m_request.MsgBoxWindow(), &box);
            EXPECT_TRUE(box.isVisible());
        }
        msgBoxTick(m_request);
        EXPECT_EQ(m_request.MsgBoxWindow(), nullptr);
        EXPECT_FALSE(ticker(box)->isActive());
    });
    EXPECT_EQ(show(), MsgBoxNo);
    EXPECT_TRUE(noHadFocus);
    EXPECT_EQ(m_request.TickCount, 5);
}

class MsgBoxNoCountdown : public MsgBoxTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(MsgBoxNoCountdown, countdownOfZeroOrLess_neverAnswersByItself)
{
    fillRequest(GetParam());
    whileOpen([this](QDialog& box) {
        for (int tick = 0; tick < 20; ++tick)
            msgBoxTick(m_request);
        EXPECT_EQ(m_request.TickCount, 20);
        EXPECT_TRUE(box.isVisible());
        EXPECT_EQ(m_request.MsgBoxWindow(), &box);
        EXPECT_TRUE(closeOpenMsgBox(m_request, MsgBoxYes));
    });
    EXPECT_EQ(show(), MsgBoxYes);
}

INSTANTIATE_TEST_SUITE_P(Ticks, MsgBoxNoCountdown, ::testing::Values(0, -1, -5));

TEST_F(MsgBoxTest, enter_answersYes)
{
    fillRequest(5);
    whileOpen([this](QDialog& box) {
        msgBoxTick(m_request);
        msgBoxTick(m_request);
        QWidget* target = box.focusWidget() ? box.focusWidget() : &box;
        QTest::keyClick(target, Qt::Key_Return);
    });
    EXPECT_EQ(show(), MsgBoxYes);
}

TEST_F(MsgBoxTest, box_showsTitlePromptQuestionIconAndYesNoButtons)
{
    fillRequest(5);
    whileOpen([this](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("KORVALIN"));
        EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("messageText"))->text(),
                  QStringLiteral("Do you want to finish this stage?"));
        EXPECT_FALSE(box.findChild<QLabel*>(QStringLiteral("messageIcon"))->pixmap().isNull());
        EXPECT_EQ(button(box, "btnYes")->text(), QStringLiteral("Yes"));
        EXPECT_EQ(button(box, "btnNo")->text(), QStringLiteral("No"));
        EXPECT_TRUE(button(box, "btnYes")->isDefault());
        EXPECT_EQ(box.findChildren<QPushButton*>().size(), 2);
        EXPECT_TRUE(box.isModal());
        EXPECT_EQ(box.parentWidget(), m_request.OwnerWindow);
        closeOpenMsgBox(m_request, MsgBoxNo);
    });
    EXPECT_EQ(show(), MsgBoxNo);
}

TEST_F(MsgBoxTest, msgBoxWindow_setOnlyWhileTheBoxIsOpen)
{
    fillRequest(5);
    m_request.TickCount = 3;
    msgBoxTick(m_request);
    EXPECT_EQ(m_request.TickCount, 3) << "no box yet: the tick is not counted";

    whileOpen([this](QDialog& box) {
        EXPECT_EQ(m_request.MsgBoxWindow(), &box);
        EXPECT_EQ(m_request.TickCount, 0);
        button(box, "btnYes")->click();
        EXPECT_EQ(m_request.MsgBoxWindow(), nullptr);
        EXPECT_FALSE(ticker(box)->isActive()) << "a user answer stops the ticker";
    });
    EXPECT_EQ(show(), MsgBoxYes);
    EXPECT_EQ(m_request.MsgBoxWindow(), nullptr);
    EXPECT_FALSE(closeOpenMsgBox(m_request, MsgBoxYes));
}

TEST_F(MsgBoxTest, escapeAndCloseButton_doNotAnswer)
{
    fillRequest(5);
    whileOpen([this](QDialog& box) {
        QTest::keyClick(&box, Qt::Key_Escape);
        box.close();
        EXPECT_TRUE(box.isVisible());
        EXPECT_EQ(m_request.MsgBoxWindow(), &box);
        button(box, "btnNo")->click();
    });
    EXPECT_EQ(show(), MsgBoxNo);
}

TEST_F(MsgBoxTest, ticker_runsWithTheRequestedPeriodOnlyWithCountdownOn)
{
    for (bool countdownOn : {true, false}) {
        fillRequest(5);
        m_request.CountdownOn = countdownOn;
        m_request.TickInterval = 750;
        whileOpen([this, countdownOn](QDialog& box) {
            EXPECT_EQ(ticker(box)->isActive(), countdownOn);
            EXPECT_EQ(ticker(box)->interval(), 750);
            closeOpenMsgBox(m_request, MsgBoxNo);
        });
        EXPECT_EQ(show(), MsgBoxNo);
    }
}

TEST_F(MsgBoxTest, countdown_isDrivenByTheBoxsOwnTicker)
{
    fillRequest(3);
    m_request.TickInterval = 0;
    // Should the ticker not run, this late Yes ends the wait and the test fails instead of hanging.
    whileOpen([this](QDialog&) { QTimer::singleShot(5000, [this] { closeOpenMsgBox(m_request, MsgBoxYes); }); });
    EXPECT_EQ(show(), MsgBoxNo);
    EXPECT_EQ(m_request.TickCount, 3);
}

TEST_F(MsgBoxTest, missingAutoButton_clearsWindowAndWaitsForTheUser)
{
    fillRequest(2);
    m_request.AutoButton = 99;
    whileOpen([this](QDialog& box) {
        msgBoxTick(m_request);
        msgBoxTick(m_request);
        EXPECT_TRUE(box.isVisible());
        EXPECT_EQ(m_request.MsgBoxWindow(), nullptr);
        msgBoxTick(m_request);
        EXPECT_EQ(m_request.TickCount, 2);
        button(box, "btnYes")->click();
    });
    EXPECT_EQ(show(), MsgBoxYes);
}

TEST_F(MsgBoxTest, scriptedAnswers_areTakenInOrder)
{
    fillRequest(5);
    scriptMsgBoxAnswer(MsgBoxYes);
    scriptMsgBoxAnswer(MsgBoxNo);
    EXPECT_EQ(show(), MsgBoxYes);
    EXPECT_EQ(show(), MsgBoxNo);
}

TEST_F(MsgBoxTest, boxDestroyedWithItsOwner_answersNo)
{
    fillRequest(5);
    whileOpen([this](QDialog&) { m_owner.reset(); });
    EXPECT_EQ(ShowMsgBox(m_request, nullptr), MsgBoxNo);
}

// The window that asks keeps its request; when the window goes while its box is open, the request goes
// with it, and nothing may touch it afterwards (AddressSanitizer's run catches a touch).
TEST_F(MsgBoxTest, askerKeepingTheRequest_destroyedUnderItsBox_answersNo)
{
    struct Asker : QWidget
    {
        MsgBoxRequest CurrentMsgBox;
    };
    auto* asker = new Asker;
    asker->show();
    asker->CurrentMsgBox.OwnerWindow = asker;
    asker->CurrentMsgBox.CountdownOn = true;
    asker->CurrentMsgBox.CountdownTicks = 5;
    whileOpen([asker](QDialog&) { delete asker; });
    EXPECT_EQ(ShowMsgBox(asker->CurrentMsgBox, nullptr), MsgBoxNo);
}

// Two windows asking in turn: each request knows only its own box, so the stage clock asking its request
// is not misled by a box another window has open.
TEST_F(MsgBoxTest, request_holdsOnlyItsOwnBox)
{
    fillRequest(5);
    MsgBoxRequest other = m_request;
    whileOpen([this, &other](QDialog& box) {
        EXPECT_EQ(m_request.MsgBoxWindow(), &box);
        EXPECT_EQ(other.MsgBoxWindow(), nullptr);
        msgBoxTick(other);
        EXPECT_EQ(other.TickCount, 0);
        EXPECT_FALSE(closeOpenMsgBox(other, MsgBoxYes));
        EXPECT_TRUE(box.isVisible());
        EXPECT_TRUE(closeOpenMsgBox(m_request, MsgBoxNo));
    });
    EXPECT_EQ(show(), MsgBoxNo);
}

TEST_F(MsgBoxTest, showMessage_waitsForOk)
{
    bool seen = false;
    whileOpen([&](QDialog& box) {
        seen = true;
        EXPECT_EQ(box.windowTitle(), QStringLiteral("KORVALIN"));
        EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("messageText"))->text(), QStringLiteral("Done."));
        EXPECT_EQ(button(box, "btnOk")->text(), QStringLiteral("OK"));
        button(box, "btnOk")->click();
    });
    ShowMessage(m_owner.get(), QStringLiteral("KORVALIN"), QStringLiteral("Done."), QMessageBox::Information);
    EXPECT_TRUE(seen);

    whileOpen([](QDialog& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    ShowMessage(m_owner.get(), QStringLiteral("KORVALIN"), QStringLiteral("Done."), QMessageBox::Critical);
}

struct PromptCase
{
    const char* typed;
    const char* finish; // object name of the button pressed, or "" for Escape
    const char* expected;
};

std::ostream& operator<<(std::ostream& out, const PromptCase& row)
{
    return out << "typed \"" << row.typed << "\", ended by " << (*row.finish ? row.finish : "Escape");
}

class PromptForTextTest : public MsgBoxTest, public ::testing::WithParamInterface<PromptCase>
{
};

TEST_P(PromptForTextTest, returnsTheTypedTextOnOk_emptyOtherwise)
{
    const PromptCase row = GetParam();
    whileOpen([row](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("KORVALIN"));
        EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("promptLabel"))->text(), QStringLiteral("Code:"));
        QTest::keyClicks(box.findChild<QLineEdit*>(QStringLiteral("promptText")), QString::fromLatin1(row.typed));
        if (*row.finish)
            button(box, row.finish)->click();
        else
            QTest::keyClick(&box, Qt::Key_Escape);
    });
    EXPECT_EQ(PromptForText(m_owner.get(), QStringLiteral("KORVALIN"), QStringLiteral("Code:")),
              QString::fromLatin1(row.expected));
}

INSTANTIATE_TEST_SUITE_P(Endings, PromptForTextTest,
                         ::testing::Values(PromptCase{"4711", "btnOk", "4711"}, PromptCase{"4711", "btnCancel", ""},
                                           PromptCase{"4711", "", ""}, PromptCase{"", "btnOk", ""}));

// Without a window manager nobody else gives the owner its activation back, and the keys that still
// reach it find no focus widget.
TEST_F(MsgBoxTest, closedDialog_handsTheActivationBackToItsOwner)
{
    const struct
    {
        const char* dialog;
        std::function<void()> showAndClose;
    } dialogs[] = {
        {"prompt cancelled",
         [this] {
             whileOpen([](QDialog& box) { QTest::keyClick(&box, Qt::Key_Escape); });
             PromptForText(m_owner.get(), QStringLiteral("KORVALIN"), QStringLiteral("Code:"));
         }},
        {"Yes/No box answered No",
         [this] {
             fillRequest(5);
             scriptMsgBoxAnswer(MsgBoxNo);
             show();
         }},
        {"message box",
         [this] {
             scriptMsgBoxAnswer(QDialog::Accepted);
             ShowMessage(m_owner.get(), QStringLiteral("KORVALIN"), QStringLiteral("Done."), QMessageBox::Warning);
         }},
    };
    for (const auto& dialog : dialogs) {
        SCOPED_TRACE(dialog.dialog);
        m_owner->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == m_owner.get(); }));
        dialog.showAndClose();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == m_owner.get(); }, 1000));
    }
}

TEST_F(MsgBoxTest, scriptedPromptAnswer_typesAndConfirms)
{
    scriptPromptAnswer(QStringLiteral("123"));
    scriptPromptAnswer(QString());
    EXPECT_EQ(PromptForText(m_owner.get(), QStringLiteral("KORVALIN"), QStringLiteral("Code:")), QStringLiteral("123"));
    EXPECT_EQ(PromptForText(m_owner.get(), QStringLiteral("KORVALIN"), QStringLiteral("Code:")), QString());
}
} // namespace
