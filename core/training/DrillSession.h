#pragma once

#include "stage/SheetEntry.h"
#include "training/AskedDigits.h"
#include "training/DrillPositions.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <optional>

class TrainingClock;
class TrainingRecorder;

// The position drill: a random place within the learned digits named by its shortest unique cue, or a
// position the competitor names, and the digits there asked on a sheet of ten columns (the cue first).
// A wrong digit or the hint ends the question with the right digit shown. One session in the store
// holds every question's keystrokes.
class DrillSession final : public SheetEntry
{
public:
    enum class Phase
    {
        Asking,
        Failed,
        Passed,
        Nothing, // no question: too few digits learned for a random one
    };

    // Asks a random question at once. The clock and the recorder must outlive the session.
    DrillSession(DrillPositions positions, QRandomGenerator random, const TrainingClock& clock,
                 TrainingRecorder& recorder);

    Phase phase() const { return m_phase; }
    const DrillPositions& positions() const { return m_positions; }
    const std::optional<DrillQuestion>& question() const { return m_question; }
    const std::optional<AskedDigits>& run() const { return m_run; }
    // Questions answered so far, and those answered whole.
    int answered() const { return m_answered; }
    int passed() const { return m_passed; }
    int keystrokes() const { return m_seq; }

    std::optional<GridCell> nextCell() const;
    bool mayOpen(int row, int column) const;
    const AnswerSheet& sheet() const override;
    void enterText(int row, int column, const QString& text) override;

    // A new random question; false when there is none (the current one stays).
    bool next();
    // The digits at `position`, named by the competitor; false outside the number.
    bool ask(int position);
    // The next digit shown: the question ends as failed.
    bool hint();

    // The session's end is written, once; nothing is taken in afterwards.
    void finish();

private:
    void askQuestion(const DrillQuestion& question);
    void answer(const RecallKeystroke& key);
    qint64 sessionMs() const;

    DrillPositions m_positions;
    QRandomGenerator m_random;
    const TrainingClock& m_clock;
    TrainingRecorder& m_recorder;
    QDateTime m_startedUtc;
    qint64 m_startedMs = 0;
    qint64 m_sessionId = 0;
    qint64 m_askedMs = 0;
    int m_seq = 0;
    int m_answered = 0;
    int m_passed = 0;
    bool m_finished = false;

    Phase m_phase = Phase::Nothing;
    std::optional<DrillQuestion> m_question;
    std::optional<AskedDigits> m_run;
    AnswerSheet m_empty;
};
