#pragma once

#include "frmTraining/StoreRecorder.h"
#include "training/DrillSession.h"

#include <QWidget>

#include <memory>

class QLabel;
class QSpinBox;
class SkinButton;
class TrainingClock;
class TrainingGrid;
class TrainingStore;

// The position drill on the answer grid: a random place within the learned digits shown by its shortest
// unique cue, or a position the competitor names, and its next digits asked. Enter after a question asks
// the next random one; F1 shows the next digit.
class DrillView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DrillView)

public:
    static constexpr Qt::Key HintKey = Qt::Key_F1;

    // The store and the clock must outlive the view.
    DrillView(DrillPositions positions, QRandomGenerator random, TrainingStore& store, const TrainingClock& clock,
              QWidget* parent = nullptr);
    // The session's end is written.
    ~DrillView() override;

    const DrillSession& session() const { return *m_session; }
    TrainingGrid& grid() const { return *m_grid; }
    void takeFocus();
    // The digits at `position`, as the competitor names it below the grid.
    void ask(int position);

signals:
    void back();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    bool handleKey(QKeyEvent& event);
    void showQuestion();
    void showState();
    void goBack();

    StoreRecorder m_recorder;
    std::unique_ptr<DrillSession> m_session;

    QLabel* m_title = nullptr;
    QLabel* m_question = nullptr;
    TrainingGrid* m_grid = nullptr;
    QLabel* m_outcome = nullptr;
    QLabel* m_positionLabel = nullptr;
    QSpinBox* m_position = nullptr;
    SkinButton* m_back = nullptr;
};
