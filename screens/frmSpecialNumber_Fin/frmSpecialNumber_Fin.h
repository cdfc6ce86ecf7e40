#pragma once

#include "results/ResultsLayout.h"
#include "results/Scoring.h"
#include "skin/PersistentSurface.h"
#include "stage/AttemptOutcome.h"

#include <QWidget>

#include <functional>

class QLabel;
class QTableView;
class ResultsGrid;
class ScoreGridModel;
class SkinButton;

// The results screen: the score and times of the finished attempt, every question beside its answer,
// and FINISH back to the settings screen. It shows the outcome the attempt handed over and reads nothing else.
class frmSpecialNumber_Fin final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSpecialNumber_Fin)

public:
    // A window of its own, owned by `settingsWindow`; it deletes itself when closed. FINISH runs
    // `returnToSettings` (the settings screen takes back its settings look and the focus), then closes.
    // The outcome's evidence gives the seal shown and the journal the report is made from; without a
    // journal there is neither.
    frmSpecialNumber_Fin(QWidget* settingsWindow, const AttemptOutcome& outcome,
                         std::function<void()> returnToSettings);
    ~frmSpecialNumber_Fin() override;

    int score() const { return m_scoring.score(); }
    int digitsPerRow() const { return m_digitsPerRow; }
    // The geometry of the last layout, before its positions were rounded to whole pixels.
    const ResultsLayout& resultsLayout() const { return m_layout; }

    // The attempt's report, written in the background, is done; a failure is said in the explanation strip.
    void showReportOutcome(bool ok, const QString& error);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildResults();
    void createScoreGrid(const AttemptOutcome& outcome);
    void createExplanationGrid();
    void layoutResults();
    void returnToSettings();
    void createSealLine(const AttemptEvidence& evidence);
    void placeStripNotes();

    const Scoring m_scoring;
    int m_digitsPerRow = 0;
    QString m_title;
    std::function<void()> m_returnToSettings;
    PersistentSurface m_surface;
    ResultsLayout m_layout;
    ScoreGridModel* m_scoreModel = nullptr;
    QTableView* m_scoreGrid = nullptr;       // gScore
    ResultsGrid* m_questionGrid = nullptr;   // gTumSorular
    QTableView* m_explanationGrid = nullptr; // gAciklama
    QLabel* m_sealLine = nullptr;
    QLabel* m_reportNotice = nullptr;
    SkinButton* m_finishButton = nullptr; // btnFinish
};
