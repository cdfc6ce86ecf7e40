#pragma once

#include "StoreOpening.h"
#include "frmMain/BackgroundToggle.h"
#include "frmTraining/TrainingHistory.h"
#include "skin/PersistentSurface.h"
#include "start/CommandLine.h"

#include <QPointer>
#include <QWidget>

class PFormKontrol;
class RehearsalLauncher;
class QLabel;
class TrainingClock;
class TrainingStore;

// The training window, opened by `korvalin --train`: a window of its own in the program's look, apart
// from the settings window and the record attempt. It shows the summary of each number and the mode
// the competitor picks (or the command line named); each view is a widget of its own below the frame.
class frmTraining final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmTraining)

public:
    // `opening` is how opening `store` went: a store that did not open, or a damaged file set aside, is
    // told in a box once the window shows, and the window works without a history. The store and the
    // clock must outlive the window.
    frmTraining(const TrainingStart& start, TrainingStore& store, StoreOpening opening, const TrainingClock& clock,
                QWidget* parent = nullptr);
    ~frmTraining() override;

    // The view below the frame: the summary, a mode, or the line of a mode not built yet.
    QWidget* view() const { return m_view; }
    const TrainingHistory& history() const { return m_history; }

    // Where Rehearse starts its attempts; without one it says it cannot. Must outlive the window.
    void setRehearsalLauncher(RehearsalLauncher* launcher);

    void showSummary();
    // The competitor's settings and the export of the history.
    void showSettings();
    void open(TrainingActivity activity, TrainingNumber number, std::optional<int> fromPosition = std::nullopt);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void openRehearse(TrainingNumber number);
    void setView(QWidget* view, const QString& subtitle);
    void paintFrame();
    void placeView();
    void tellOpening();
    void showStoreFailure(const QString& error);
    void minimiseClicked();
    void toggleBackground();

    TrainingStore& m_store;
    const StoreOpening m_opening;
    const TrainingClock& m_clock;
    TrainingHistory m_history;
    TrainingNumber m_number;
    PersistentSurface m_surface;
    BackgroundToggle m_background;
    PFormKontrol* m_strip = nullptr;
    QPointer<QWidget> m_view;
    QString m_subtitle;
    QLabel* m_storeNotice = nullptr;
    RehearsalLauncher* m_rehearsals = nullptr;
    bool m_firstShow = true;
};
