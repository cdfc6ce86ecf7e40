#pragma once

#include "frmMain/ProgramActivation.h"
#include "settings/SettingsController.h"
#include "skin/PersistentSurface.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

struct AttemptEvidence;
class Clock;
class PFormKontrol;
class QComboBox;
class QLabel;
class QPushButton;
class frmZFon;

// The settings window: the program's start window and the owner of every other window.
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
    using ResultsScreenFactory = std::function<QWidget*(frmMain&, const AttemptEvidence&)>;
    static ResultsScreenFactory defaultResultsScreenFactory();
    void setResultsScreenFactory(ResultsScreenFactory factory) { m_resultsScreenFactory = std::move(factory); }

    // Shows a stage or results window over this one, below the title strip; it is the working screen
    // until it goes or the settings come back.
    void showChildScreen(QWidget* screen);
    // The recall stage or results window when one is open.
    QWidget* workingScreen() const { return m_workingScreen; }
    // Back from the stage or the results: the settings look, with the focus on START.
    void returnFromCompetition();

    SettingsController& settings() { return m_settings; }
    bool isLoading() const { return m_settings.isLoading(); }
    bool backgroundShown() const { return m_backgroundShown; }
    frmZFon* backgroundWindow() const { return m_background; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createSettingsPanel();
    void createUrlLabels();
    void mirrorSettings();
    void PlaceSettingsPanel();
    void layOutPanel();
    void placeUrlLabels();
    void startClicked();
    void openResults(const AttemptEvidence& evidence);
    void minimiseClicked();
    void UnloadAllScreens();
    QComboBox* combo(SettingsListId id) const;
    void reportWriteFailure(const WriteResult& result);
    bool draftsCanBeSavedOrUserAccepts();

    Clock& m_clock;
    SettingsController m_settings;
    PersistentSurface m_surface;
    ProgramActivation m_activation;
    std::function<QRect()> m_screenGeometry;
    std::function<QRect()> m_workArea;

    QWidget* m_panel = nullptr;           // picAyarlar
    std::array<QLabel*, 6> m_rowLabels{}; // lbBilgi, top to bottom
    std::array<QComboBox*, 6> m_combos{}; // indexed by SettingsListId
    QPushButton* m_startButton = nullptr; // btnStart
    PFormKontrol* m_strip = nullptr;
    QLabel* m_urlLabel = nullptr;  // lbKucukURL
    QLabel* m_urlShadow = nullptr; // lbKucukURLGolge

    QPointer<QWidget> m_workingScreen;
    ResultsScreenFactory m_resultsScreenFactory = defaultResultsScreenFactory();

    frmZFon* m_background = nullptr;
    bool m_backgroundShown = false;
    bool m_firstActivation = true;
    // A settings file that cannot be written is reported once a run; the chosen values stay in use.
    bool m_settingsFailureReported = false;
};
