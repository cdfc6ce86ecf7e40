#pragma once

#include "frmTraining/StoreRecorder.h"
#include "training/RecitalSession.h"

#include <QWidget>

#include <memory>
#include <optional>

class QLabel;
class QSpinBox;
class SkinButton;
class TrainingClock;
class TrainingGrid;
class TrainingStore;

// Recite on the answer grid: from a digit or a block the competitor picks, until the first error or a
// chosen count, the pace shown as it goes. The view hands RecitalSession the keys and shows what it holds.
// Enter after a recital starts it again from the same digit.
class RecitalView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RecitalView)

public:
    // The store and the clock must outlive the view.
    RecitalView(TrainingNumber number, int fromPosition, TrainingStore& store, const TrainingClock& clock,
                QWidget* parent = nullptr);
    // The session's end is written.
    ~RecitalView() override;

    const RecitalSession& session() const { return *m_session; }
    TrainingGrid& grid() const { return *m_grid; }
    void takeFocus();
    // A new recital from `position`, `count` digits at most (none: until an error).
    void start(int position, std::optional<int> count);

signals:
    void back();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    bool handleKey(QKeyEvent& event);
    void digitTaken();
    void showState();
    void startFromControls();
    void goBack();

    const TrainingNumber m_number;
    const TrainingClock& m_clock;
    StoreRecorder m_recorder;
    std::unique_ptr<RecitalSession> m_session;
    int m_shownWindow = 0;

    QLabel* m_title = nullptr;
    QLabel* m_fromLabel = nullptr;
    QSpinBox* m_from = nullptr;
    QLabel* m_blockLabel = nullptr;
    QSpinBox* m_block = nullptr;
    QLabel* m_countLabel = nullptr;
    QSpinBox* m_count = nullptr;
    SkinButton* m_start = nullptr;
    QLabel* m_pace = nullptr;
    QLabel* m_outcome = nullptr;
    TrainingGrid* m_grid = nullptr;
    SkinButton* m_back = nullptr;
};
