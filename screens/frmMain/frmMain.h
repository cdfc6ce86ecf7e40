#pragma once

#include "digits/SpecialNumbers.h"
#include "frmMain/BackgroundToggle.h"
#include "frmMain/ProgramActivation.h"
#include "frmMain/ScreenNavigation.h"
#include "frmMain/SettingsWriteNotice.h"
#include "frmMain/StartCheck.h"
#include "settings/SettingsController.h"
#include "skin/PersistentSurface.h"

#include <QPointer>
#include <QWidget>

#include <functional>

struct AttemptEvidence;
struct AttemptOutcome;
class Clock;
class PFormKontrol;
class QLabel;
class SettingsPanel;
class frmZFon;

// The settings window: the program's start window and the owner of every other window. Its parts live in
// frmMain.cpp (the frame and its events), frmMainNavigation.cpp (which screen shows and what follows it)
// and frmMainBackground.cpp (the background and the window's place), with the settings panel, the start
// check and the background window as helpers of their own.
class frmMain final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmMain)

public:
    explicit frmMain(Clock& clock, QWidget* parent = nullptr);
    ~frmMain() override;

    // Tests replace the screen and work area the window is fitted to.
    void setScreenGeometryProvider(std::function<QRect()> screen, std::function<QRect()> workArea);

    // The start sequence. False when the screen is too small: the message was shown and the program
    // must end without doing anything else.
    bool load();

    // True while a stage or results window is the working screen; selects the competition look of the frame.
    bool CompetitionMode() const;
    // Repaints the whole frame in the look CompetitionMode selects.
    void temelYarismaEkraniCiz();

    void ToggleBackground();
    void CenterMainWindow();

    // Creates the results screen of the attempt just recorded. Tests replace it; without one a finished
    // stage returns to the settings.
    using ResultsScreenFactory = std::function<QWidget*(frmMain&, const AttemptOutcome&)>;
    static ResultsScreenFactory defaultResultsScreenFactory();
    void setResultsScreenFactory(ResultsScreenFactory factory) { m_resultsScreenFactory = std::move(factory); }

    // The recall stage or results window when one is open.
    QWidget* workingScreen() const { return m_screens.workingScreen(); }
    // Back from the stage or the results: the settings look, with the focus on START.
    void returnFromCompetition();

    SettingsController& settings() { return m_settings; }
    // The number the type list chose; a stage is started on its digits.
    const SpecialNumberChoice& specialNumber() const { return m_specialNumber; }
    bool isLoading() const { return m_settings.isLoading(); }

    // A rehearsal from training: after load(), picks the number at `typePosition`; every attempt started
    // here from then on is a rehearsal under the same settings, stage and rules, and its journal says so.
    void beginRehearsal(int typePosition);
    bool isRehearsal() const { return m_rehearsal; }

signals:
    // An attempt ended, finished or left; its journal and seal are in `evidence`.
    void attemptEnded(const AttemptEvidence& evidence);

public:
    bool backgroundShown() const { return m_background.shown(); }
    frmZFon* backgroundWindow() const { return m_background.window(); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The frame (frmMain.cpp).
    void createUrlLabels();
    void PlaceSettingsPanel();
    void placeUrlLabels();

    // Navigation (frmMainNavigation.cpp).
    void startClicked();
    void follow(ScreenExit exit, const AttemptOutcome* outcome = nullptr);
    void openStage();
    void openResults(const AttemptOutcome& outcome);
    // The attempt's report is written from the moment the attempt ends; the results say if it fails.
    void startReport(const AttemptEvidence& evidence);
    void followReport(QWidget* results);
    // Shows a stage or results window over this one, below the title strip; it is the working screen
    // until it goes or the settings come back.
    void showChildScreen(MainScreen screen, QWidget* window);
    void UnloadAllScreens();

    // Background and placement (frmMainBackground.cpp).
    void minimiseClicked();

    Clock& m_clock;
    // Before the settings, whose loading makes the first choice.
    SpecialNumberChoice m_specialNumber;
    SettingsController m_settings;
    SettingsWriteNotice m_writeNotice{*this};
    StartCheck m_startCheck{*this, m_settings, m_writeNotice};
    PersistentSurface m_surface;
    ProgramActivation m_activation;
    std::function<QRect()> m_screenGeometry;
    std::function<QRect()> m_workArea;

    SettingsPanel* m_panel = nullptr; // picAyarlar
    PFormKontrol* m_strip = nullptr;
    QLabel* m_urlLabel = nullptr;  // lbKucukURL
    QLabel* m_urlShadow = nullptr; // lbKucukURLGolge

    ScreenNavigation m_screens;
    // The report being written, until it is done.
    QPointer<QObject> m_report;
    ResultsScreenFactory m_resultsScreenFactory = defaultResultsScreenFactory();
    BackgroundToggle m_background;
    bool m_firstActivation = true;
    bool m_rehearsal = false;
    QLabel* m_rehearsalMark = nullptr;
};
