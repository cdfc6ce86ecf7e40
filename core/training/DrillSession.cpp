#include "training/DrillSession.h"

#include "training/TrainingClock.h"
#include "training/TrainingRecorder.h"

DrillSession::DrillSession(DrillPositions positions, QRandomGenerator random, const TrainingClock& clock,
                           TrainingRecorder& recorder)
    : m_positions(std::move(positions)), m_random(random), m_clock(clock), m_recorder(recorder),
      m_startedUtc(clock.nowUtc()), m_startedMs(clock.steadyMs())
{
    m_empty.reset(1, AskedDigits::Columns);
    next();
}

std::optional<GridCell> DrillSession::nextCell() const
{
    return m_phase == Phase::Asking ? m_run->nextCell() : std::nullopt;
}

bool DrillSession::mayOpen(int row, int column) const
{
    return m_phase == Phase::Asking && m_run->mayOpen(row, column);
}

const AnswerSheet& DrillSession::sheet() const
{
    return m_run ? m_run->sheet() : m_empty;
}

bool DrillSession::next()
{
    if (m_finished)
        return false;
    const std::optional<DrillQuestion> question = m_positions.pick(m_random);
    if (!question)
        return false;
    askQuestion(*question);
    return true;
}

bool DrillSession::ask(int position)
{
    const std::optional<DrillQuestion> question = m_positions.at(position);
    if (m_finished || !question)
        return false;
    askQuestion(*question);
    return true;
}

void DrillSession::askQuestion(const DrillQuestion& question)
{
    m_question = question;
    const int cueFirst = question.cue ? question.cue->firstPosition : question.position;
    m_run.emplace(m_positions.number(), cueFirst, question.position, question.count);
    m_askedMs = m_clock.steadyMs();
    m_phase = Phase::Asking;
}

void DrillSession::enterText(int row, int column, const QString& text)
{
    if (m_phase != Phase::Asking)
        return;
    if (const std::optional<RecallKeystroke> key = m_run->type(row, column, text, m_clock.steadyMs() - m_askedMs))
        answer(*key);
}

bool DrillSession::hint()
{
    if (m_phase != Phase::Asking)
        return false;
    answer(*m_run->hint(m_clock.steadyMs() - m_askedMs));
    return true;
}

void DrillSession::answer(const RecallKeystroke& key)
{
    if (m_sessionId == 0)
        m_sessionId =
            m_recorder.startSession(TrainingActivity::Drill, m_positions.number(), m_question->position, m_startedUtc);
    // A hint types no digit: it ends the question and nothing goes into the log.
    if (!key.hint) {
        ++m_seq;
        m_recorder.digitTyped(
            {m_sessionId, m_seq, key.position, key.expected.digitValue(), key.typed.digitValue(), sessionMs()});
    }
    if (!m_run->ended())
        return;
    ++m_answered;
    if (m_run->state() == AskedDigits::State::Whole) {
        ++m_passed;
        m_phase = Phase::Passed;
    } else {
        m_phase = Phase::Failed;
    }
}

void DrillSession::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_sessionId != 0)
        m_recorder.sessionFinished(m_sessionId, double(sessionMs()) / 1000.0);
    if (m_phase == Phase::Asking)
        m_phase = Phase::Nothing;
}

qint64 DrillSession::sessionMs() const
{
    return m_clock.steadyMs() - m_startedMs;
}
