#include "training/ReviewSession.h"

#include "training/TrainingClock.h"
#include "training/TrainingDays.h"
#include "training/TrainingRecorder.h"

std::map<QString, double> medianPacesByItem(const std::vector<PastRecall>& recalls)
{
    std::map<QString, std::vector<double>> paces;
    for (const PastRecall& recall : recalls) {
        if (recall.rating != Rating::Again)
            paces[recall.itemId].push_back(recall.paceMs);
    }
    std::map<QString, double> medians;
    for (auto& [itemId, itemPaces] : paces)
        medians.emplace(itemId, *medianPace(std::move(itemPaces)));
    return medians;
}

std::vector<ReviewTask> reviewTasks(const std::vector<ItemProgress>& progress, const DayQueue& queue,
                                    const std::map<QString, double>& medianPacesMs,
                                    const std::map<QString, QString>& notes)
{
    std::vector<ReviewTask> tasks;
    for (const QueueEntry& entry : queue.entries) {
        if (entry.reason == QueueReason::NewBlock)
            continue;
        const ItemProgress& item = progress[entry.progressIndex];
        const QString id = item.item.id();
        const auto pace = medianPacesMs.find(id);
        auto note = notes.find(id);
        // A junction fails at the start of the block it asks: that block's image is the one to see.
        if (note == notes.end() && item.item.kind == ItemKind::Junction)
            note = notes.find(TrainingItem{item.item.number, ItemKind::Block, item.item.index + 1, 0, 0, 0}.id());
        tasks.push_back({item.item, item.schedule,
                         pace == medianPacesMs.end() ? std::nullopt : std::optional<double>(pace->second),
                         note == notes.end() ? QString() : note->second});
    }
    return tasks;
}

ReviewSession::ReviewSession(std::vector<ReviewTask> tasks, const TrainingClock& clock, TrainingRecorder& recorder,
                             FsrsScheduler scheduler)
    : m_tasks(std::move(tasks)), m_clock(clock), m_recorder(recorder), m_scheduler(std::move(scheduler))
{
    m_empty.reset(1, AskedDigits::Columns);
    show();
}

const ReviewTask* ReviewSession::task() const
{
    return m_current < m_tasks.size() ? &m_tasks[m_current] : nullptr;
}

std::optional<GridCell> ReviewSession::nextCell() const
{
    return m_phase == Phase::Recalling ? m_run->nextCell() : std::nullopt;
}

bool ReviewSession::mayOpen(int row, int column) const
{
    return m_phase == Phase::Recalling && m_run->mayOpen(row, column);
}

const AnswerSheet& ReviewSession::sheet() const
{
    return m_run ? m_run->sheet() : m_empty;
}

void ReviewSession::show()
{
    m_outcome.reset();
    m_sessionId = 0;
    m_seq = 0;
    const ReviewTask* shown = task();
    if (!shown || m_finished) {
        m_phase = Phase::Done;
        m_run.reset();
        return;
    }
    const TrainingItem& item = shown->item;
    m_run.emplace(item.number, item.cueFirstPosition(), item.firstPosition, item.digitCount());
    m_shownUtc = m_clock.nowUtc();
    m_shownMs = m_clock.steadyMs();
    m_phase = Phase::Recalling;
}

void ReviewSession::enterText(int row, int column, const QString& text)
{
    if (m_phase != Phase::Recalling)
        return;
    if (const std::optional<RecallKeystroke> key = m_run->type(row, column, text, m_clock.steadyMs() - m_shownMs))
        answer(*key);
}

bool ReviewSession::hint()
{
    if (m_phase != Phase::Recalling)
        return false;
    answer(*m_run->hint(m_clock.steadyMs() - m_shownMs));
    return true;
}

void ReviewSession::answer(const RecallKeystroke& key)
{
    const TrainingItem& item = task()->item;
    if (m_sessionId == 0)
        m_sessionId = m_recorder.startSession(TrainingActivity::Review, item.number, item.firstPosition, m_shownUtc);
    if (!key.hint) {
        ++m_seq;
        m_recorder.digitTyped(
            {m_sessionId, m_seq, key.position, key.expected.digitValue(), key.typed.digitValue(), key.ms});
    }
    if (m_run->ended())
        grade();
}

void ReviewSession::grade()
{
    const ReviewTask& shown = *task();
    const ItemRecall& recall = m_run->recall();
    const Rating rating = gradeRecall(recall, shown.medianPaceMs);
    const QDateTime now = m_clock.nowUtc();
    // The scheduler tells a first review of the day from a second one by the day of the last.
    const ReviewOutcome scheduled = m_scheduler.review(shown.schedule, trainingDay(now), rating);
    m_recorder.itemReviewed({shown.item, scheduled.schedule, m_sessionId, now, rating});
    const qint64 lastMs = recall.keystrokes.back().ms;
    m_recorder.sessionFinished(m_sessionId, double(lastMs) / 1000.0);
    m_sessionId = 0;
    m_outcome = Outcome{rating, scheduled.intervalDays, recallPace(recall).value_or(0.0)};
    ++m_reviewed;
    if (rating == Rating::Again)
        ++m_failed;
    m_phase = rating == Rating::Again ? Phase::Failed : Phase::Passed;
}

bool ReviewSession::next()
{
    if (m_phase != Phase::Failed && m_phase != Phase::Passed)
        return false;
    ++m_current;
    show();
    return true;
}

void ReviewSession::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_sessionId != 0)
        m_recorder.sessionFinished(m_sessionId, double(m_clock.steadyMs() - m_shownMs) / 1000.0);
    m_sessionId = 0;
    m_phase = Phase::Done;
}
