#include "stage/RunningAttempt.h"

#include "base/Clock.h"
#include "files/ProgramDirectory.h"
#include "record/AttemptRecordDocument.h"
#include "stage/AnswerSheet.h"
#include "stage/EntryRules.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>

#include <utility>

namespace {
const QString RestoredFileName = QStringLiteral("draft_record.xml");

// One reading given out again, so that an origin computed from it and the measurement agree.
class FixedReading final : public Clock
{
public:
    explicit FixedReading(float seconds) : m_seconds(seconds) {}
    float secondsSinceMidnight() const override { return m_seconds; }

private:
    float m_seconds;
};
} // namespace

RunningAttempt::RunningAttempt(const StageSettings& settings, const QString& selectedDigits, int draftNumber,
                               AttemptRecordDocument& record, const Clock& clock, QObject* parent)
    : QObject(parent), m_record(record), m_clock(clock), m_draftPath(programFilePath(draftFileName(draftNumber)))
{
    static_cast<StageSettings&>(m_state) = settings;
    m_state.draftNumber = draftNumber;
    m_record.build(selectedDigits, m_state.digitsPerRow);
    RecordChanges built;
    built.build = RecordChanges::Build{selectedDigits, m_state.digitsPerRow};
    m_unsentChanges = std::move(built);
    connect(&m_writer, &DraftWriter::writeFinished, this,
            [this](const QString&, bool ok, const QString& error) { emit draftWritten(ok, error); });
}

RunningAttempt::~RunningAttempt()
{
    m_writer.waitForIdle();
}

int RunningAttempt::chooseDraftNumber(const Clock& clock)
{
    QRandomGenerator random(quint32(clock.secondsSinceMidnight() * 1000.0f));
    return ::chooseDraftNumber([&random] { return random.generateDouble(); },
                               [](int number) { return QFile::exists(programFilePath(draftFileName(number))); });
}

QString RunningAttempt::draftFileName(int draftNumber)
{
    return QStringLiteral("draft_record_") + QString::number(draftNumber) + QStringLiteral(".xml");
}

RunningAttempt::EditOutcome RunningAttempt::editEnded(AnswerSheet& sheet, int row, int column)
{
    const float now = m_clock.secondsSinceMidnight();
    EditOutcome outcome;
    outcome.restartDigitClock = commitEdit(sheet, m_state, row, column, now).restartDigitClock;
    saveDraft(sheet);
    outcome.finishStage = checkLockedDigits(m_state, m_lockedDigitCheck, sheet, m_record.questions(), now);
    return outcome;
}

void RunningAttempt::saveDraft(const AnswerSheet& sheet)
{
    const FixedReading now(m_clock.secondsSinceMidnight());
    RecordChanges changes = std::exchange(m_unsentChanges, RecordChanges());
    m_state.stageSeconds = m_record.recordAnswers(usedTimeOrigin(now.secondsSinceMidnight(), false),
                                                  m_state.maxStageSeconds, now, sheet, changes);
    m_writer.submit(m_draftPath, std::move(changes));
    // After the end the stage records into the record itself; the draft is complete before it does.
    if (m_state.ended)
        waitForPendingWrite();
}

std::optional<QString> RunningAttempt::restoreDraft(int rows, int columns)
{
    if (m_state.ended)
        return QStringLiteral("the attempt has ended");
    const QString path = programFilePath(RestoredFileName);
    if (auto error = m_record.loadFromFile(path, rows, columns))
        return error;
    // The writer's copy starts again from the same record.
    RecordChanges loaded;
    loaded.load = RecordChanges::Load{m_record.serialize(), rows, columns, m_record.locale()};
    m_unsentChanges = std::move(loaded);

    const float restored = m_record.usedTime().value_or(0.0f);
    // During the countdown stageStartTime times the countdown; moving it would cut the countdown short.
    if (m_state.recallStarted)
        m_state.stageStartTime -= restored;
    else
        m_pendingRestoredSeconds += restored;
    return std::nullopt;
}

void RunningAttempt::startRecall()
{
    if (m_state.recallStarted)
        return;
    m_state.recallStarted = true;
    m_state.stageStartTime -= m_pendingRestoredSeconds;
    m_pendingRestoredSeconds = 0.0f;
}

void RunningAttempt::end()
{
    m_state.ended = true;
    waitForPendingWrite();
}

void RunningAttempt::finish(const AnswerSheet& sheet)
{
    end();
    const FixedReading now(m_clock.secondsSinceMidnight());
    m_state.stageSeconds =
        m_record.recordAnswers(usedTimeOrigin(now.secondsSinceMidnight(), true), m_state.maxStageSeconds, now, sheet);
}

void RunningAttempt::waitForPendingWrite()
{
    m_writer.waitForIdle();
    // The outcome is queued to this thread; deliver it now rather than after the stage has closed.
    QCoreApplication::sendPostedEvents(&m_writer, QEvent::MetaCall);
}

float RunningAttempt::usedTimeOrigin(float now, bool ending) const
{
    if (m_state.recallStarted)
        return m_state.stageStartTime;
    // Under the countdown a draft holds what was restored; an attempt that ends there has used the
    // countdown as well, measured from its start.
    const float countdownOrigin = ending ? m_state.stageStartTime : now;
    return countdownOrigin - m_pendingRestoredSeconds;
}
