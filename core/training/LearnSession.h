#pragma once

#include "base/GridCell.h"
#include "stage/AnswerSheet.h"
#include "stage/SheetEntry.h"
#include "training/FsrsScheduler.h"
#include "training/RecallGrading.h"
#include "training/TrainingItem.h"

#include <QDateTime>
#include <QString>

#include <map>
#include <optional>
#include <set>
#include <vector>

class TrainingClock;
class TrainingRecorder;

// The blocks of `number` not learned yet, in order, from the block that holds `fromPosition` on.
std::vector<TrainingItem> blocksToLearn(TrainingNumber number, const std::set<int>& learnedBlocks,
                                        int fromPosition = 1);

// Learn: the next unlearned block is shown on an answer sheet of ten columns, for as long as the
// competitor likes; hiding it starts its recall on the same sheet. A wrong digit ends the recall at once,
// with the right digit in its cell; the hint shows the next digit and ends the recall too, as a failure.
// A block recalled without either is learned: that recall is its first review, graded from its
// keystrokes. Every digit typed goes to the recorder as it is typed. The window hands in what happened
// and shows the sheet; it decides nothing itself.
class LearnSession final : public SheetEntry
{
public:
    // Ten digits a row: a block of 100 is a square, and a row's digits are read as one number's worth.
    static constexpr int Columns = 10;

    enum class Phase
    {
        Showing,   // the block's digits are on the sheet
        Recalling, // the sheet holds the digits typed so far
        Failed,    // a wrong digit or the hint ended the recall
        Learned,   // the block was recalled whole and is in the schedule
        Done,      // no block is left to learn
    };

    // How the last recall ended.
    struct Ending
    {
        // The wrong or hinted digit: its cell, position, the digit there and the one typed (null for the hint).
        GridCell cell;
        int position = 0;
        QChar expected;
        QChar typed;
        // For a learned block: its grade and the days until its next review.
        Rating rating = Rating::Again;
        int intervalDays = 0;
    };

    // `blocks` to learn in order (one number's, as blocksToLearn gives them); `notes` by item id. The clock
    // and the recorder must outlive the session. The first block is shown at once.
    LearnSession(std::vector<TrainingItem> blocks, std::map<QString, QString> notes, const TrainingClock& clock,
                 TrainingRecorder& recorder, FsrsScheduler scheduler = FsrsScheduler());

    Phase phase() const { return m_phase; }
    // The block shown or recalled; none once every block is learned.
    const TrainingItem* block() const;
    const std::optional<Ending>& ending() const { return m_ending; }
    // The cell the next digit of the recall goes to; none outside a recall.
    std::optional<GridCell> nextCell() const;
    int positionOf(GridCell cell) const;
    GridCell cellOf(int position) const;
    // Digits typed in this session, and the session's id once its first recall began (0 before).
    int keystrokes() const { return m_seq; }
    qint64 sessionId() const { return m_sessionId; }

    const AnswerSheet& sheet() const override { return m_sheet; }
    // A digit for the next cell of a recall is a keystroke; anything else changes nothing.
    void enterText(int row, int column, const QString& text) override;
    // Only the cell of the next digit opens, and only during a recall.
    bool mayOpen(int row, int column) const;

    // Showing: the digits go and the recall begins. False in any other phase.
    bool hide();
    // Recalling: the next digit is shown in its cell and the recall ends as failed.
    bool hint();
    // After a recall: a failed block is shown again, a learned one gives way to the next block.
    bool next();

    // The note of the current block, and a new one for it (kept at once; an empty one removes it).
    QString note() const;
    void setNote(const QString& text);

    // The session's end is written, once; nothing is taken in afterwards.
    void finish();

private:
    void show();
    void endRecall(GridCell cell, int position, QChar typed);
    void learned();
    qint64 sessionMs() const;

    std::vector<TrainingItem> m_blocks;
    std::size_t m_current = 0;
    std::map<QString, QString> m_notes;
    const TrainingClock& m_clock;
    TrainingRecorder& m_recorder;
    FsrsScheduler m_scheduler;

    Phase m_phase = Phase::Showing;
    AnswerSheet m_sheet;
    std::optional<Ending> m_ending;
    QDateTime m_startedUtc;
    qint64 m_startedMs = 0;
    qint64 m_sessionId = 0;
    int m_seq = 0;
    bool m_finished = false;
    // The recall under way: the digits typed so far, timed from the moment the block was hidden.
    ItemRecall m_recall;
    qint64 m_recallStartMs = 0;
};
