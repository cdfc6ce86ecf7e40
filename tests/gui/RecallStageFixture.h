#pragma once

#include "FakeClock.h"
#include "base/Clock.h"
#include "frmMain/frmMain.h"
#include "frmSpecialNumber_Main/frmSpecialNumber_Main.h"
#include "settings/SettingsLists.h"

#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

class AnswerGrid;
class ConcentrationPanel;
class QDialog;
class SkinButton;
class TimeDisplay;

// A loaded settings window on a 1280 x 1024 screen with a fake clock, its program directory in a
// temporary directory, and a results factory that counts the results screens it opens. A dialog that
// no test step answers is closed after a short while and counted as a failure, so no test hangs.
class RecallStageFixture : public ::testing::Test
{
protected:
    static constexpr float StartTime = 36000.0f; // 10:00:00

    void SetUp() override;
    void TearDown() override;

    void pick(SettingsListId list, int position);
    // START through the real button; the stage is shown and active, its countdown running.
    void start();
    // Runs the countdown to its end: the recall phase begins at the returned clock reading.
    float enterRecall();

    // Keys as typed: they go to whatever has the focus.
    static void type(const QString& keys);
    static void press(Qt::Key key);
    void typeAt(int row, int column, const QString& keys);

    QString cellText(int row, int column) const;
    QString questionDigit(int row, int column) const;
    QString wrongDigit(int row, int column) const;

    // The next dialog gets OK (or `answer`); its text is kept in `shownMessages`.
    void answerNextDialog(int answer);
    // The next dialog runs `step` while it is open, then gets `answer` unless the step closed it.
    void whileNextDialogOpen(std::function<void(QDialog&)> step, int answer);
    // One tick of an open Yes/No box's own countdown ticker, as its timer would fire it.
    static void tickBox(QDialog& box);
    // Ticks the box until it answers by itself: the number of ticks that took, or 0 when it is still open
    // after `most`.
    static int ticksToAnswerByItself(QDialog& box, int most);

    // Deletes what was closed (the stage deletes itself later).
    static void flushDeletes();
    void clickSkinButton(SkinButton& button);

    AnswerGrid& grid() const;
    TimeDisplay& timeDisplay() const;
    ConcentrationPanel& concentrationPanel() const;
    SkinButton& button(const char* name) const;
    QTimer& clock(const char* name) const;
    QWidget* resultsScreen() const;
    // A results factory that counts the results opened and keeps the outcome they were given.
    frmMain::ResultsScreenFactory keepingOutcome(frmMain::ResultsScreenFactory open);
    // The answer the outcome handed to the results holds for a cell.
    QString recordedAnswer(int row, int column) const;

    QTemporaryDir m_directory;
    FakeClock m_clock{StartTime};
    std::unique_ptr<frmMain> m_main;
    QPointer<frmSpecialNumber_Main> m_stage;
    int m_resultsOpened = 0;
    std::optional<AttemptOutcome> m_outcome;
    QStringList m_shownMessages;
    QStringList m_unexpectedDialogs;

private:
    QTimer m_dialogGuard;
};
