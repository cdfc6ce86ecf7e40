#pragma once

#include "stage/SheetEntry.h"
#include "training/AskedDigits.h"
#include "training/DailyQueue.h"
#include "training/FsrsScheduler.h"
#include "training/TrainingItem.h"

#include <QDateTime>
#include <QString>

#include <map>
#include <optional>
#include <vector>

class TrainingClock;
class TrainingRecorder;

// One item of a review: its schedule (none before its first review), the median pace of its earlier
// correct recalls in ms per digit (none before there are any) and the competitor's note on it.
struct ReviewTask
{
    TrainingItem item;
    std::optional<ItemSchedule> schedule;
    std::optional<double> medianPaceMs;
    QString note;
};

// An earlier recall of an item: its grade and its pace in ms per digit.
struct PastRecall
{
    QString itemId;
    Rating rating = Rating::Good;
    double paceMs = 0.0;
};

// For each item, the median pace of its earlier correct recalls (those not graded Again): what a recall's
// pace is held against for Hard.
std::map<QString, double> medianPacesByItem(const std::vector<PastRecall>& recalls);

// The reviews of today's queue in its order: its due items and first junctions. New blocks are learned
// in Learn, not here. `medianPacesMs` and `notes` are by item id; a junction without a note of its own
// takes the note of the block whose first digits it asks.
std::vector<ReviewTask> reviewTasks(const std::vector<ItemProgress>& progress, const DayQueue& queue,
                                    const std::map<QString, double>& medianPacesMs,
                                    const std::map<QString, QString>& notes);

// Review: each item of the day's queue is recalled on a sheet of ten columns (a block from its first
// digit; a junction after its cue, the last digits of the block before it), graded from its keystrokes
// and scheduled. A wrong digit or the hint ends the recall at once with the right digit shown. Each
// recall is a session of its own in the store, timed from the moment its item was shown, so that its
// length over its digits is the recall's pace. An item left before its recall ended is not graded.
class ReviewSession final : public SheetEntry
{
public:
    enum class Phase
    {
        Recalling,
        Failed,
        Passed,
        Done,
    };

    struct Outcome
    {
        Rating rating = Rating::Again;
        int intervalDays = 0;
        // The pace of the recall, ms per digit.
        double paceMs = 0.0;
    };

    // The first item is shown at once. The clock and the recorder must outlive the session.
    ReviewSession(std::vector<ReviewTask> tasks, const TrainingClock& clock, TrainingRecorder& recorder,
                  FsrsScheduler scheduler = FsrsScheduler());

    Phase phase() const { return m_phase; }
    const std::vector<ReviewTask>& tasks() const { return m_tasks; }
    // The index of the item shown, tasks().size() once every one is done.
    std::size_t current() const { return m_current; }
    const ReviewTask* task() const;
    const std::optional<AskedDigits>& run() const { return m_run; }
    const std::optional<Outcome>& outcome() const { return m_outcome; }
    // Items graded so far, and those of them graded Again.
    int reviewed() const { return m_reviewed; }
    int failed() const { return m_failed; }

    std::optional<GridCell> nextCell() const;
    bool mayOpen(int row, int column) const;
    const AnswerSheet& sheet() const override;
    void enterText(int row, int column, const QString& text) override;
    bool hint();
    // After a recall: the next item.
    bool next();

    // The session of an unfinished recall is closed, once; nothing is taken in afterwards.
    void finish();

private:
    void show();
    void answer(const RecallKeystroke& key);
    void grade();

    std::vector<ReviewTask> m_tasks;
    std::size_t m_current = 0;
    const TrainingClock& m_clock;
    TrainingRecorder& m_recorder;
    FsrsScheduler m_scheduler;

    Phase m_phase = Phase::Done;
    std::optional<AskedDigits> m_run;
    std::optional<Outcome> m_outcome;
    AnswerSheet m_empty;
    QDateTime m_shownUtc;
    qint64 m_shownMs = 0;
    qint64 m_sessionId = 0;
    int m_seq = 0;
    int m_reviewed = 0;
    int m_failed = 0;
    bool m_finished = false;
};
