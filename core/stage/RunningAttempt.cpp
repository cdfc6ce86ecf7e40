#include "stage/RunningAttempt.h"

#include "base/Clock.h"
#include "files/ProgramDirectory.h"
#include "journal/JournalFiles.h"
#include "journal/JournalHash.h"
#include "record/AttemptRecordDocument.h"
#include "record/UsedTimeText.h"
#include "results/Scoring.h"
#include "rules/AttemptRules.h"
#include "stage/AnswerSheet.h"
#include "stage/EntryRules.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>

#include <cmath>
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

RunningAttempt::RunningAttempt(const StageSettings& settings, const DigitSource& source, int draftNumber,
                               AttemptRecordDocument& record, const Clock& clock, QObject* parent)
    : QObject(parent), m_record(record), m_clock(clock), m_draftPath(programFilePath(draftFileName(draftNumber))),
      m_journalPath(programFilePath(journalFileName(draftNumber))), m_source(source)
{
    static_cast<StageSettings&>(m_state) = settings;
    m_state.draftNumber = draftNumber;
    m_record.build(source.digits, m_state.digitsPerRow);
    RecordChanges built;
    built.build = RecordChanges::Build{source.digits, m_state.digitsPerRow};
    m_unsentChanges = std::move(built);
    connect(&m_writer, &DraftWriter::writeFinished, this, [this](const QString& path, bool ok, const QString& error) {
        if (path == m_journalPath)
            emit journalWritten(ok, error);
        else
            emit draftWritten(ok, error);
    });
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

void RunningAttempt::countdownStarted()
{
    if (m_journal.eventCount() > 0)
        return;
    m_journalStart = m_clock.secondsSinceMidnight();
    JournalStart start;
    start.numberPosition = m_source.position;
    start.settings = m_state;
    start.sourceName = m_source.caption;
    start.digits = m_source.digits;
    start.draftNumber = m_state.draftNumber;
    writeJournal(m_journal.start(start));
}

void RunningAttempt::editOpened(int row, int column)
{
    startJournalIfNeeded();
    m_openedCell = std::make_pair(row, column);
    m_openedMs = journalMs();
}

RunningAttempt::EditOutcome RunningAttempt::editEnded(AnswerSheet& sheet, int row, int column)
{
    startJournalIfNeeded();
    const float now = m_clock.secondsSinceMidnight();
    JournalEdit edit;
    edit.row = row;
    edit.column = column;
    // The record still holds the text this edit replaced: it takes the new one with the draft below.
    edit.oldText = m_record.cevap(row, column);
    edit.newText = sheet.cellText(row, column);
    edit.ms = journalMs();
    if (m_openedCell == std::make_pair(row, column))
        edit.openedMs = m_openedMs;
    m_openedCell.reset();
    writeJournal(m_journal.edit(edit));

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
    std::vector<QString> before;
    before.reserve(std::size_t(m_record.rowCount() * m_record.columnCount()));
    for (int i = 1; i <= m_record.rowCount(); ++i) {
        for (int j = 1; j <= m_record.columnCount(); ++j)
            before.push_back(m_record.cevap(i, j));
    }
    if (auto error = m_record.loadFromFile(path, rows, columns))
        return error;
    JournalRestore restore;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        restore.draftSha256 = QString::fromLatin1(sha256Hex(file.readAll()));
    std::size_t k = 0;
    for (int i = 1; i <= rows; ++i) {
        for (int j = 1; j <= columns; ++j, ++k) {
            const QString after = m_record.cevap(i, j);
            const QString old = k < before.size() ? before[k] : QString();
            if (after != old)
                restore.changes.push_back({i, j, old, after});
        }
    }
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
    startJournalIfNeeded();
    restore.addedSeconds = restored;
    restore.ms = journalMs();
    writeJournal(m_journal.restore(restore));
    return std::nullopt;
}

void RunningAttempt::boxAsked(BoxKind kind)
{
    startJournalIfNeeded();
    m_openBox = kind;
    m_boxAskedMs = journalMs();
}

void RunningAttempt::boxAnswered(BoxAnswer answer, AnsweredBy by)
{
    if (!m_openBox || m_state.ended)
        return;
    JournalBox box;
    box.kind = *m_openBox;
    box.answer = answer;
    box.by = by;
    box.askedMs = m_boxAskedMs;
    box.ms = journalMs();
    m_openBox.reset();
    writeJournal(m_journal.box(box));
}

void RunningAttempt::toggleCountDown()
{
    startJournalIfNeeded();
    m_state.countDown = !m_state.countDown;
    writeJournal(m_journal.timeDisplayToggled(m_state.countDown, journalMs()));
}

void RunningAttempt::startRecall()
{
    if (m_state.recallStarted)
        return;
    m_state.recallStarted = true;
    m_state.stageStartTime -= m_pendingRestoredSeconds;
    m_pendingRestoredSeconds = 0.0f;
    startJournalIfNeeded();
    writeJournal(m_journal.countdownEnded(journalMs()));
}

void RunningAttempt::end()
{
    m_state.ended = true;
    waitForPendingWrite();
}

void RunningAttempt::finish(const AnswerSheet& sheet, EndReason reason)
{
    end();
    const FixedReading now(m_clock.secondsSinceMidnight());
    m_state.stageSeconds =
        m_record.recordAnswers(usedTimeOrigin(now.secondsSinceMidnight(), true), m_state.maxStageSeconds, now, sheet);
    const Scoring scoring(m_record.questions(), m_record.answers());
    endJournal(reason, m_record.usedTime().value_or(m_state.stageSeconds), scoring.score());
}

void RunningAttempt::leave(const AnswerSheet& sheet, EndReason reason)
{
    end();
    const float now = m_clock.secondsSinceMidnight();
    const auto used = static_cast<float>(cappedUsedSeconds(measureUsedSeconds(usedTimeOrigin(now, true), now)));
    const Scoring scoring(m_record.questions(), sheet);
    endJournal(reason, used, scoring.score());
}

void RunningAttempt::endJournal(EndReason reason, float usedSeconds, int score)
{
    startJournalIfNeeded();
    // A rule that ended the attempt under an open box closed the box with it.
    if (m_openBox) {
        JournalBox box;
        box.kind = *m_openBox;
        box.by = AnsweredBy::StageEnd;
        box.askedMs = m_boxAskedMs;
        box.ms = journalMs();
        m_openBox.reset();
        writeJournal(m_journal.box(box));
    }
    JournalEnd end;
    end.reason = reason;
    end.usedSeconds = usedSeconds;
    end.score = score;
    end.ms = journalMs();
    writeJournal(m_journal.end(end));
    // The results screen reads the whole journal for the report.
    waitForPendingWrite();
}

void RunningAttempt::waitForPendingWrite()
{
    m_writer.waitForIdle();
    // The outcome is queued to this thread; deliver it now rather than after the stage has closed.
    QCoreApplication::sendPostedEvents(&m_writer, QEvent::MetaCall);
}

void RunningAttempt::startJournalIfNeeded()
{
    // The countdown starts every stage; an attempt driven without it still gets a whole journal.
    if (m_journal.eventCount() == 0)
        countdownStarted();
}

qint64 RunningAttempt::journalMs() const
{
    // The stage's own clock, so that the journal's times are those the rules were judged by.
    return std::llround(double(elapsedSeconds(m_journalStart, m_clock.secondsSinceMidnight())) * 1000.0);
}

void RunningAttempt::writeJournal(const QByteArray& line)
{
    m_writer.append(m_journalPath, line);
}

float RunningAttempt::usedTimeOrigin(float now, bool ending) const
{
    if (m_state.recallStarted)
        return m_state.stageStartTime;
    // Under the countdown a draft holds what was restored; an attempt that ends there has used the
    // countdown as well, measured from its start.
    const float countdownOrigin = countdownCountsAsUsed(ending) ? m_state.stageStartTime : now;
    return countdownOrigin - m_pendingRestoredSeconds;
}
