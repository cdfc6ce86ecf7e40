#pragma once

#include "frmTraining/StoreRecorder.h"
#include "training/LearnSession.h"

#include <QWidget>

#include <memory>

class AnswerGrid;
class QLabel;
class QLineEdit;
class SkinButton;
class TrainingClock;
class TrainingGrid;
class TrainingStore;

// Learn on the record stage's answer grid: the view hands LearnSession the keys and the grid's edits
// and shows what the session holds. Enter hides the block (and, after a recall, shows the next one or
// the same again); F1 is the hint.
class LearnView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LearnView)

public:
    static constexpr Qt::Key HintKey = Qt::Key_F1;

    // `blocks` to learn in order; the store and the clock must outlive the view.
    LearnView(std::vector<TrainingItem> blocks, std::map<QString, QString> notes, FsrsScheduler scheduler,
              TrainingStore& store, const TrainingClock& clock, QWidget* parent = nullptr);
    // The session's end is written.
    ~LearnView() override;

    const LearnSession& session() const { return *m_session; }
    AnswerGrid& grid() const;
    // Gives the keyboard to the grid.
    void takeFocus();

signals:
    void back();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    bool handleKey(QKeyEvent& event);
    // The sheet changed whole (a block shown or hidden): the grid shows it from its first cell.
    void showSheet();
    void showPhase();
    void saveNote();
    void goBack();

    StoreRecorder m_recorder;
    std::unique_ptr<LearnSession> m_session;

    QLabel* m_blockLine = nullptr;
    QLabel* m_prompt = nullptr;
    TrainingGrid* m_grid = nullptr;
    QLabel* m_outcome = nullptr;
    QLabel* m_noteLabel = nullptr;
    QLineEdit* m_note = nullptr;
    SkinButton* m_back = nullptr;
};
