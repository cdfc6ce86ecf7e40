#pragma once

#include "TrainingRows.h"
#include "training/TrainingNumber.h"

#include <QWidget>

#include <vector>

class QLabel;
class SkinButton;

// Rehearse: a whole attempt under the record rules on the real stage, started from here. It says what a
// rehearsal is, starts one, and lists the number's past rehearsals, the latest first.
class RehearseView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RehearseView)

public:
    // `sessions` may hold every session of the history; the view keeps the number's rehearsals. Without
    // `canStart` the START button is off and a line says why.
    RehearseView(TrainingNumber number, const std::vector<StoredSession>& sessions, bool canStart,
                 QWidget* parent = nullptr);

    TrainingNumber number() const { return m_number; }
    // The list of past rehearsals as shown, one line each.
    QString pastText() const;

signals:
    void startRequested(TrainingNumber number);
    void back();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const TrainingNumber m_number;
    QLabel* m_heading = nullptr;
    QLabel* m_rules = nullptr;
    QLabel* m_past = nullptr;
    QLabel* m_unavailable = nullptr;
    SkinButton* m_start = nullptr;
    SkinButton* m_back = nullptr;
};
