#pragma once

#include "frmTraining/StoreRecorder.h"
#include "training/DailyQueue.h"
#include "training/ReviewSession.h"

#include <QWidget>

#include <memory>

class QLabel;
class QTableWidget;
class SkinButton;
class TrainingClock;
class TrainingGrid;
class TrainingStore;
struct TrainingHistory;

// Review on the answer grid beside today's queue of one number: each due item and first junction in the queue's order
// is recalled (a junction after its cue), graded from its keystrokes and scheduled; a failed item shows its note. Enter
// after a recall brings the next item; F1 shows the next digit. The queue lists what is due, in order, with its
// minutes, the new blocks last (they are learned in Learn).
class ReviewView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReviewView)

public:
    static constexpr Qt::Key HintKey = Qt::Key_F1;

    // Today's queue of `number` from `history` on `today`. The store and the clock must outlive the view.
    ReviewView(const TrainingHistory& history, TrainingNumber number, int today, TrainingStore& store,
               const TrainingClock& clock, QWidget* parent = nullptr);
    // An unfinished recall's session is closed.
    ~ReviewView() override;

    const ReviewSession& session() const { return *m_session; }
    TrainingGrid& grid() const { return *m_grid; }
    const DayQueue& queue() const { return m_queue; }
    void takeFocus();

signals:
    void back();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void fillQueue();
    bool handleKey(QKeyEvent& event);
    void showItem();
    void showState();
    void goBack();

    const int m_today;
    std::vector<ItemProgress> m_progress;
    DayQueue m_queue;
    StoreRecorder m_recorder;
    std::unique_ptr<ReviewSession> m_session;

    QLabel* m_queueTitle = nullptr;
    QTableWidget* m_queueTable = nullptr;
    QLabel* m_item = nullptr;
    TrainingGrid* m_grid = nullptr;
    QLabel* m_outcome = nullptr;
    SkinButton* m_back = nullptr;
};
