#include "stage/RunningAttempt.h"

#include "base/Clock.h"
#include "files/AppendFile.h"
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
#include <QDir>
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
    explicit FixedReading(const Clock& clock) : m_seconds(clock.seconds()), m_wallMs(clock.wallMsSinceEpoch()) {}
    float seconds() const override { return m_seconds; }
    qint64 wallMsSinceEpoch() const override { return m_wallMs; }

private:
    float m_seconds;
    qint64 m_wallMs;
};
} // namespace

RunningAttempt::RunningAttempt(const StageSettings& settings, const DigitSource& source, int draftNumber,
                               const Clock& clock, QObject* parent)
    : QObject(parent), m_clock(clock), m_source(source), m_draftPath(programFilePath(draftFileName(draftNumber))),
      m_journalPath(programFilePath(journalFileName(draftNumber))),
      m_journal([&clock] { return clock.wallMsSinceEpoch(); })
{
    static_cast<StageSettings&>(m_state) = settings;
    m_state.draftNumber = draftNumber;
    m_record.BuildAttemptRecord(source.digits, m_state.digitsPerRow);
    // Whole rows only: the digits past the last full row are not asked.
    m_sheet.reset(m_record.rowCount(), m_record.columnCount());
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
    // Seeded from the time of day: the monotonic clock starts near zero in every run.
    QRandomGenerator random(quint32(clock.wallMsSinceEpoch()));
    // A number is free while no file of an attempt of that number exists; it is taken by making its
    // journal, which no other attempt can then make or append to.
    const auto taken = [](int number) {
        const QDir reports(programFilePath(reportsFolderName()));
        if (QFile::exists(programFilePath(draftFileName(number))) ||
            QFile::exists(reports.filePath(reportPdfFileName(number))) ||
            QFile::exists(reports.filePath(reportCsvFileName(number))))
            return true;
        // A folder that takes no file at all is told by the journal's first entry.
        return createExclusively(programFilePath(journalFileName(number))) == ExclusiveCreation::AlreadyThere;
    };
    return ::chooseDraftNumber([&random] { return random.generateDouble(); }, taken);
}

QString RunningAttempt::draftFileName(int draftNumber)
{
    return QStringLiteral("draft_record_") + QString::number(draftNumber) + QStringLiteral(".xml");
}

float RunningAttempt::now() const
{
    return m_clock.seconds();
}

QString RunningAttempt::startCountdown()
{
    const QString text = startConcentration(m_state, now());
    startJournalIfNeeded();
    return text;
}

ConcentrationFrame RunningAttempt::concentrationTick()
{
    if (m_state.ended || m_state.recallStarted)
        return {};
    ConcentrationFrame frame = ::concentrationTick(m_state, now());
    if (frame.finished)
        startRecall();
    return frame;
}

StageFrame RunningAttempt::stageTick()
{
    if (m_state.ended || !m_state.recallStarted || m_stageTimeIsUp)
        return {};
    StageFrame frame = ::stageTick(m_state, now(), isBoxOpen());
    if (frame.stopClock)
        m_stageTimeIsUp = true;
    return frame;
}

DigitFrame RunningAttempt::digitTick()
{
    // The per-digit clock runs from the first new digit on.
    if (m_state.ended || m_state.nextDigitIndex < 0)
        return {};
    return ::digitTick(m_state, now());
}

void RunningAttempt::markAsRehearsal()
{
    // The start line is written once; a journal begun as a record attempt stays one.
    if (m_journal.eventCount() == 0)
        m_rehearsal = true;
}

void RunningAttempt::startJournalIfNeeded()
{
    // The countdown starts every stage; an attempt driven without it still gets a whole journal.
    if (m_journal.eventCount() > 0)
        return;
    m_journalStart = now();
    JournalStart start;
    start.numberPosition = m_source.position;
    start.settings = m_state;
    start.sourceName = m_source.caption;
    start.digits = m_source.digits;
    start.draftNumber = m_state.draftNumber;
    start.rehearsal = m_rehearsal;
    writeJournal(m_journal.start(start));
}

bool RunningAttempt::contains(int row, int column) const
{
    return row >= 1 && row <= m_sheet.rowCount() && column >= 1 && column <= m_sheet.columnCount();
}

void RunningAttempt::enterText(int row, int column, const QString& text)
{
    if (m_state.ended || !contains(row, column))
        return;
    m_sheet.setCellText(row, column, text);
}

bool RunningAttempt::mayOpen(int row, int column)
{
    if (m_state.ended || !contains(row, column) || isCellLocked(m_sheet, row, column, m_state.lockAfterSeconds, now()))
        return false;
    startJournalIfNeeded();
    m_openedCell = std::make_pair(row, column);
    m_openedMs = journalMs();
    return true;
}

RunningAttempt::EditOutcome RunningAttempt::editEnded(int row, int column)
{
    // An editor can still close while the stage ends; that edit is not ruled on.
    if (m_state.ended || !contains(row, column))
        return {};
    startJournalIfNeeded();
    const float now = this->now();
    JournalEdit edit;
    edit.row = row;
    edit.column = column;
    // The record still holds the text this edit replaced: it takes the new one with the draft below.
    edit.oldText = m_record.cevap(row, column);
    edit.newText = m_sheet.cellText(row, column);
    edit.ms = journalMs();
    if (m_openedCell == std::make_pair(row, column))
        edit.openedMs = m_openedMs;
    m_openedCell.reset();
    writeJournal(m_journal.edit(edit));

    EditOutcome outcome;
    outcome.restartDigitClock = commitEdit(m_sheet, m_state, row, column, now).restartDigitClock;
    saveDraft();
    outcome.finishStage = checkLockedDigits(m_state, m_lockedDigitCheck, m_sheet, m_record.questions(), now);
    return outcome;
}

void RunningAttempt::saveDraft()
{
    const FixedReading now(m_clock);
    RecordChanges changes = std::exchange(m_unsentChanges, RecordChanges());
    m_state.stageSeconds =
        m_record.RecordAnswers(usedTimeOrigin(now.seconds(), false), m_state.maxStageSeconds, now, m_sheet, changes);
    m_writer.submit(m_draftPath, std::move(changes));
    // After the end the stage records into the record itself; the draft is complete before it does.
    if (m_state.ended)
        waitForPendingWrite();
}

std::optional<QString> RunningAttempt::restoreDraft()
{
    const int rows = m_sheet.rowCount();
    const int columns = m_sheet.columnCount();
    if (m_state.ended)
        return QStringLiteral("the attempt has ended");
    const QString path = programFilePath(RestoredFileName);
    std::vector<QString> before;
    before.reserve(std::size_t(m_record.rowCount() * m_record.columnCount()));
    for (int i = 1; i <= m_record.rowCount(); ++i) {
        for (int j = 1; j <= m_record.columnCount(); ++j)
            before.push_back(m_record.cevap(i, j));
    }
    JournalRestore restore;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        restore.draftSha256 = QString::fromLatin1(sha256Hex(bytes));
        // Which attempt the draft came from, and that attempt's evidence, so an arbiter can follow it.
        restore.draftNumber = attemptNumberOfDraft(programDirectory(), bytes);
        if (restore.draftNumber && *restore.draftNumber != m_state.draftNumber) {
            const QString journal = programFilePath(journalFileName(*restore.draftNumber));
            // What was typed in training never becomes part of a record attempt.
            if (!m_rehearsal && journalIsOfRehearsal(journal))
                return QStringLiteral("it is the draft of a rehearsal, not of a record attempt");
            restore.draftSeal = QString::fromLatin1(journalFileSeal(journal));
        }
    }
    if (auto error = m_record.loadRestoredDraft(path, m_record.questions()))
        return error;
    std::size_t k = 0;
    for (int i = 1; i <= rows; ++i) {
        for (int j = 1; j <= columns; ++j, ++k) {
            const QString after = m_record.cevap(i, j);
            const QString old = k < before.size() ? before[k] : QString();
            if (after != old)
                restore.changes.push_back({i, j, old, after});
            // The sheet shows the restored answers; the entry stamps, and with them the locks, stay.
            if (after != m_sheet.cellText(i, j))
                m_sheet.setCellText(i, j, after);
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

void RunningAttempt::finish(EndReason reason)
{
    if (m_endReason)
        return;
    end();
    m_endReason = reason;
    const FixedReading now(m_clock);
    m_state.stageSeconds =
        m_record.RecordAnswers(usedTimeOrigin(now.seconds(), true), m_state.maxStageSeconds, now, m_sheet);
    const Scoring scoring(m_record.questions(), m_record.answers());
    endJournal(reason, m_record.usedTime().value_or(m_state.stageSeconds), scoring.score());
}

void RunningAttempt::leave(EndReason reason)
{
    if (m_endReason)
        return;
    end();
    m_endReason = reason;
    const float now = this->now();
    const auto used = static_cast<float>(cappedUsedSeconds(measureUsedSeconds(usedTimeOrigin(now, true), now)));
    const Scoring scoring(m_record.questions(), m_sheet);
    endJournal(reason, used, scoring.score());
}

AttemptOutcome RunningAttempt::outcome() const
{
    AttemptOutcome outcome;
    outcome.reason = m_endReason.value_or(EndReason::Finish);
    outcome.usedSeconds = m_record.usedTime();
    outcome.maxSeconds = m_record.maxTime();
    outcome.caption = m_source.caption;
    outcome.rows = m_record.rowCount();
    outcome.digitsPerRow = m_record.columnCount();
    const std::size_t cells = std::size_t(outcome.rows) * std::size_t(outcome.digitsPerRow);
    outcome.questions.reserve(cells);
    outcome.answers.reserve(cells);
    for (int row = 1; row <= outcome.rows; ++row) {
        for (int column = 1; column <= outcome.digitsPerRow; ++column) {
            outcome.questions.push_back(m_record.soru(row, column));
            outcome.answers.push_back(m_record.cevap(row, column));
        }
    }
    outcome.score = Scoring(m_record.questions(), m_record.answers()).score();
    outcome.evidence = evidence();
    return outcome;
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

qint64 RunningAttempt::journalMs() const
{
    // The stage's own clock, so that the journal's times are those the rules were judged by.
    return std::llround(double(elapsedSeconds(m_journalStart, now())) * 1000.0);
}

void RunningAttempt::writeJournal(const QByteArray& line)
{
    m_journalBytes += line.size();
    m_lastJournalLine = line;
    m_writer.append(m_journalPath, line);
}

AttemptEvidence RunningAttempt::evidence() const
{
    AttemptEvidence evidence{m_state.draftNumber, m_journalPath, {}, {}, m_rehearsal};
    if (const auto problem = journalFileProblem())
        evidence.journalProblem = *problem;
    else
        evidence.seal = m_journal.seal();
    return evidence;
}

std::optional<QString> RunningAttempt::journalFileProblem() const
{
    if (m_journal.eventCount() == 0)
        return QStringLiteral("nothing was written to it");
    QFile file(m_journalPath);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("it cannot be read: %1").arg(file.errorString());
    // A missing or failed line, or one that another hand added, shows in the length; the last line's
    // bytes, which the seal is the hash of, are compared as well.
    if (file.size() != m_journalBytes)
        return QStringLiteral("it holds %1 bytes, not the %2 that were written").arg(file.size()).arg(m_journalBytes);
    if (!file.seek(m_journalBytes - m_lastJournalLine.size()) ||
        file.read(m_lastJournalLine.size()) != m_lastJournalLine)
        return QStringLiteral("its last entry is not the one that was written");
    return std::nullopt;
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
