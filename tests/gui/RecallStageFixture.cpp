#include "RecallStageFixture.h"

#include "ChromeTestSupport.h"
#include "boxes/ScriptedDialog.h"
#include "boxes/modMsgBox.h"
#include "buttons/SkinButton.h"
#include "digits/SpecialNumbers.h"
#include "files/ProgramDirectory.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "frmSpecialNumber_Main/ConcentrationPanel.h"
#include "frmSpecialNumber_Main/TimeDisplay.h"
#include "settings/StageSettings.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

void RecallStageFixture::SetUp()
{
    ASSERT_TRUE(m_directory.isValid());
    setProgramDirectory(m_directory.path());

    m_dialogGuard.setInterval(300);
    QObject::connect(&m_dialogGuard, &QTimer::timeout, [this] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            const auto* text = dialog->findChild<QLabel*>(QStringLiteral("messageText"));
            m_unexpectedDialogs << (text ? text->text() : dialog->objectName());
            dialog->done(MsgBoxNo);
        }
    });
    m_dialogGuard.start();

    m_main = std::make_unique<frmMain>(m_clock);
    m_main->setScreenGeometryProvider([] { return QRect(0, 0, 1280, 1024); }, [] { return QRect(0, 0, 1280, 984); });
    m_main->setResultsScreenFactory(keepingOutcome([](frmMain& main, const AttemptOutcome&) -> QWidget* {
        auto* results = new QWidget(&main, Qt::Window | Qt::FramelessWindowHint);
        results->setObjectName(QStringLiteral("frmSpecialNumber_Fin"));
        results->setAttribute(Qt::WA_DeleteOnClose);
        return results;
    }));
    ASSERT_TRUE(m_main->load());
    m_main->show();
    m_main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_main.get()));
}

void RecallStageFixture::TearDown()
{
    if (m_stage)
        m_stage->close();
    flushDeletes();
    m_main.reset();
    flushDeletes();
    EXPECT_EQ(ScriptedDialog::scriptedStepsLeft(), 0);
    ScriptedDialog::clearScript();
    EXPECT_TRUE(m_unexpectedDialogs.isEmpty()) << m_unexpectedDialogs.join(QStringLiteral(" | ")).toStdString();
    m_dialogGuard.stop();
}

void RecallStageFixture::pick(SettingsListId list, int position)
{
    ASSERT_TRUE(m_main->settings().listPicked(list, position).ok);
}

void RecallStageFixture::start()
{
    auto* startButton = m_main->findChild<QPushButton*>(QStringLiteral("btnStart"));
    ASSERT_NE(startButton, nullptr);
    QTest::mouseClick(startButton, Qt::LeftButton);
    m_stage = m_main->findChild<frmSpecialNumber_Main*>(QStringLiteral("frmSpecialNumber_Main"));
    ASSERT_NE(m_stage, nullptr);
    // A child window counts as active while its owner is, before its own activation has arrived.
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_stage->isActiveWindow(); }));
    ASSERT_FALSE(m_stage->awaitsFirstActivation());
}

float RecallStageFixture::enterRecall()
{
    m_clock.advance(float(m_stage->state().concentrationSeconds));
    m_stage->concentrationTick();
    EXPECT_TRUE(clock("trmSure").isActive());
    return m_clock.seconds();
}

// Sent to the focus widget straight away: keys sent to a window would also run the event loop, and with
// it the stage's real 10 ms clocks, in the middle of a test that sets the time itself.
void RecallStageFixture::type(const QString& keys)
{
    QTest::keyClicks(QApplication::focusWidget(), keys);
}

void RecallStageFixture::press(Qt::Key key)
{
    QTest::keyClick(QApplication::focusWidget(), key);
}

void RecallStageFixture::typeAt(int row, int column, const QString& keys)
{
    grid().setCurrentCell(row, column);
    type(keys);
}

frmMain::ResultsScreenFactory RecallStageFixture::keepingOutcome(frmMain::ResultsScreenFactory open)
{
    return [this, open = std::move(open)](frmMain& main, const AttemptOutcome& outcome) {
        ++m_resultsOpened;
        m_outcome = outcome;
        return open(main, outcome);
    };
}

QString RecallStageFixture::recordedAnswer(int row, int column) const
{
    if (!m_outcome)
        return QStringLiteral("(no outcome)");
    return m_outcome->answers[std::size_t((row - 1) * m_outcome->digitsPerRow + column - 1)];
}

QString RecallStageFixture::cellText(int row, int column) const
{
    return grid().answers().sheet().cellText(row, column);
}

QString RecallStageFixture::questionDigit(int row, int column) const
{
    // From the chosen number and row length, so that it is known after the stage has closed as well.
    const StageSettings settings = readStageSettings(m_main->settings().SettingsDocument());
    const QString& digits =
        digitsForResourceKey(resourceKeyForPosition(m_main->settings().list(SettingsListId::Type).position()));
    return digits.mid((row - 1) * settings.digitsPerRow + column - 1, 1);
}

QString RecallStageFixture::wrongDigit(int row, int column) const
{
    return QString::number((questionDigit(row, column).toInt() + 1) % 10);
}

void RecallStageFixture::answerNextDialog(int answer)
{
    whileNextDialogOpen({}, answer);
}

void RecallStageFixture::whileNextDialogOpen(std::function<void(QDialog&)> step, int answer)
{
    ScriptedDialog::scriptNext([this, step = std::move(step), answer](QDialog& dialog) {
        QPointer<QDialog> open(&dialog);
        const auto* text = dialog.findChild<QLabel*>(QStringLiteral("messageText"));
        m_shownMessages << (text ? text->text() : QString());
        if (step)
            step(dialog);
        if (open && open->isVisible())
            open->done(answer);
    });
}

void RecallStageFixture::tickBox(QDialog& box)
{
    auto* ticker = box.findChild<QTimer*>(QStringLiteral("trmMsgBox"));
    ASSERT_NE(ticker, nullptr);
    // The signal is private to QTimer; the meta-object call fires it just as the timer does.
    ASSERT_TRUE(QMetaObject::invokeMethod(ticker, "timeout"));
}

int RecallStageFixture::ticksToAnswerByItself(QDialog& box, int most)
{
    QPointer<QDialog> open(&box);
    for (int tick = 1; tick <= most; ++tick) {
        tickBox(*open);
        if (!open || !open->isVisible())
            return tick;
    }
    return 0;
}

void RecallStageFixture::flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void RecallStageFixture::clickSkinButton(SkinButton& button)
{
    const QPointF centre(button.width() / 2.0, button.height() / 2.0);
    sendMouse(button, QEvent::MouseMove, centre);
    sendMouse(button, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    sendMouse(button, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    // The stage runs its confirmations from the event loop.
    QCoreApplication::processEvents();
}

AnswerGrid& RecallStageFixture::grid() const
{
    return m_stage->grid();
}

TimeDisplay& RecallStageFixture::timeDisplay() const
{
    return *m_stage->findChild<TimeDisplay*>(QStringLiteral("picTime"));
}

ConcentrationPanel& RecallStageFixture::concentrationPanel() const
{
    return *m_stage->findChild<ConcentrationPanel*>(QStringLiteral("picConcentration"));
}

SkinButton& RecallStageFixture::button(const char* name) const
{
    return *m_stage->findChild<SkinButton*>(QString::fromLatin1(name));
}

QTimer& RecallStageFixture::clock(const char* name) const
{
    return *m_stage->findChild<QTimer*>(QString::fromLatin1(name));
}

QWidget* RecallStageFixture::resultsScreen() const
{
    return m_main->findChild<QWidget*>(QStringLiteral("frmSpecialNumber_Fin"));
}
