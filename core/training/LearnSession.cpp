#include "training/LearnSession.h"

#include "training/TrainingClock.h"
#include "training/TrainingDays.h"
#include "training/TrainingItems.h"
#include "training/TrainingRecorder.h"

#include <algorithm>

std::vector<TrainingItem> blocksToLearn(TrainingNumber number, const std::set<int>& learnedBlocks, int fromPosition)
{
    std::vector<TrainingItem> blocks;
    for (const TrainingItem& item : itemsOf(number)) {
        if (item.kind == ItemKind::Block && item.lastPosition >= fromPosition && !learnedBlocks.count(item.index))
            blocks.push_back(item);
    }
    return blocks;
}

LearnSession::LearnSession(std::vector<TrainingItem> blocks, std::map<QString, QString> notes,
                           const TrainingClock& clock, TrainingRecorder& recorder, FsrsScheduler scheduler)
    : m_blocks(std::move(blocks)), m_notes(std::move(notes)), m_clock(clock), m_recorder(recorder),
      m_scheduler(std::move(scheduler)), m_startedUtc(clock.nowUtc()), m_startedMs(clock.steadyMs())
{
    show();
}

const TrainingItem* LearnSession::block() const
{
    return m_current < m_blocks.size() ? &m_blocks[m_current] : nullptr;
}

std::optional<GridCell> LearnSession::nextCell() const
{
    if (m_phase != Phase::Recalling)
        return std::nullopt;
    return cellOf(block()->firstPosition + int(m_recall.keystrokes.size()));
}

int LearnSession::positionOf(GridCell cell) const
{
    return block() ? block()->firstPosition + (cell.row - 1) * Columns + cell.column - 1 : 0;
}

GridCell LearnSession::cellOf(int position) const
{
    const int offset = block() ? position - block()->firstPosition : 0;
    return {offset / Columns + 1, offset % Columns + 1};
}

bool LearnSession::mayOpen(int row, int column) const
{
    const std::optional<GridCell> next = nextCell();
    return next && *next == GridCell{row, column};
}

void LearnSession::show()
{
    m_ending.reset();
    m_recall = {};
    const TrainingItem* current = block();
    if (!current || m_finished) {
        m_phase = Phase::Done;
        m_sheet.reset(0, Columns);
        return;
    }
    m_phase = Phase::Showing;
    m_sheet.reset((current->digitCount() + Columns - 1) / Columns, Columns);
    const QString& digits = numberDigits(current->number);
    for (int position = current->firstPosition; position <= current->lastPosition; ++position) {
        const GridCell cell = cellOf(position);
        m_sheet.setCellText(cell.row, cell.column, QString(digits[position - 1]));
    }
}

bool LearnSession::hide()
{
    if (m_phase != Phase::Showing)
        return false;
    if (m_sessionId == 0)
        m_sessionId =
            m_recorder.startSession(TrainingActivity::Learn, block()->number, block()->firstPosition, m_startedUtc);
    m_sheet.reset(m_sheet.rowCount(), Columns);
    m_recall.digitCount = block()->digitCount();
    m_recallStartMs = m_clock.steadyMs();
    m_phase = Phase::Recalling;
    return true;
}

void LearnSession::enterText(int row, int column, const QString& text)
{
    if (!mayOpen(row, column) || text.size() != 1 || text[0] < u'0' || text[0] > u'9')
        return;
    const int position = positionOf({row, column});
    const QChar expected = numberDigits(block()->number)[position - 1];
    const QChar typed = text[0];
    ++m_seq;
    m_recorder.digitTyped({m_sessionId, m_seq, position, expected.digitValue(), typed.digitValue(), sessionMs()});
    m_recall.keystrokes.push_back({position, expected, typed, m_clock.steadyMs() - m_recallStartMs, false});
    m_sheet.setCellText(row, column, QString(expected));
    if (typed != expected)
        endRecall({row, column}, position, typed);
    else if (position == block()->lastPosition)
        learned();
}

bool LearnSession::hint()
{
    const std::optional<GridCell> cell = nextCell();
    if (!cell)
        return false;
    const int position = positionOf(*cell);
    const QChar expected = numberDigits(block()->number)[position - 1];
    m_recall.keystrokes.push_back({position, expected, QChar(), m_clock.steadyMs() - m_recallStartMs, true});
    m_sheet.setCellText(cell->row, cell->column, QString(expected));
    endRecall(*cell, position, QChar());
    return true;
}

void LearnSession::endRecall(GridCell cell, int position, QChar typed)
{
    m_phase = Phase::Failed;
    m_ending = Ending{
        cell, position, numberDigits(block()->number)[position - 1], typed, gradeRecall(m_recall, std::nullopt), 0};
}

// The item has had no review, so there is no earlier pace to compare with: a whole recall is Good.
void LearnSession::learned()
{
    const Rating rating = gradeRecall(m_recall, std::nullopt);
    const QDateTime now = m_clock.nowUtc();
    const ReviewOutcome outcome = m_scheduler.review(std::nullopt, trainingDay(now), rating);
    m_recorder.itemReviewed({*block(), outcome.schedule, m_sessionId, now, rating});
    m_phase = Phase::Learned;
    m_ending = Ending{{}, 0, {}, {}, rating, outcome.intervalDays};
}

bool LearnSession::next()
{
    if (m_phase == Phase::Learned)
        ++m_current;
    else if (m_phase != Phase::Failed)
        return false;
    show();
    return true;
}

QString LearnSession::note() const
{
    const TrainingItem* current = block();
    if (!current)
        return {};
    const auto found = m_notes.find(current->id());
    return found == m_notes.end() ? QString() : found->second;
}

void LearnSession::setNote(const QString& text)
{
    const TrainingItem* current = block();
    if (!current || m_finished || text == note())
        return;
    if (text.isEmpty())
        m_notes.erase(current->id());
    else
        m_notes[current->id()] = text;
    m_recorder.noteWritten(current->id(), text);
}

void LearnSession::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_sessionId != 0)
        m_recorder.sessionFinished(m_sessionId, double(sessionMs()) / 1000.0);
    if (m_phase == Phase::Recalling || m_phase == Phase::Showing)
        m_phase = Phase::Done;
}

qint64 LearnSession::sessionMs() const
{
    return m_clock.steadyMs() - m_startedMs;
}
