#include "journal/AttemptJournal.h"

#include "base/ProgramVersion.h"
#include "journal/JournalHash.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSysInfo>

namespace {
QString localTimeWithOffset(qint64 msSinceEpoch)
{
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(msSinceEpoch);
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

QJsonObject settingsObject(const JournalStart& start)
{
    return {
        {JournalKey::NumberPosition, start.numberPosition},
        {JournalKey::DigitsPerRow, start.settings.digitsPerRow},
        {JournalKey::GroupSize, start.settings.groupSize},
        {JournalKey::ShowStageTimer, start.settings.showStageTimer},
        {JournalKey::ConcentrationSeconds, start.settings.concentrationSeconds},
        {JournalKey::CellTimerOn, start.settings.cellTimerOn},
    };
}
} // namespace

AttemptJournal::AttemptJournal() : AttemptJournal([] { return QDateTime::currentMSecsSinceEpoch(); }) {}

AttemptJournal::AttemptJournal(WallClock wallClock) : m_wallClock(std::move(wallClock)) {}

QByteArray AttemptJournal::start(const JournalStart& start)
{
    const qint64 wall = m_wallClock();
    QJsonObject fields{
        {JournalKey::Version, QString::fromLatin1(ProgramVersion)},
        {JournalKey::Settings, settingsObject(start)},
        {JournalKey::Source, start.sourceName},
        {JournalKey::SourceSha256, QString::fromLatin1(sha256Hex(start.digits.toLatin1()))},
        {JournalKey::Time, localTimeWithOffset(wall)},
        {JournalKey::Host, start.hostName.isEmpty() ? QSysInfo::machineHostName() : start.hostName},
        {JournalKey::Draft, start.draftNumber},
    };
    // Only a rehearsal carries the field: a record attempt's start line stays as it always was.
    if (start.rehearsal)
        fields.insert(JournalKey::Rehearsal, true);
    return appendLine(EventKind::Start, 0, wall, std::move(fields));
}

QByteArray AttemptJournal::countdownEnded(qint64 ms)
{
    return appendLine(EventKind::CountdownEnd, ms, {});
}

QByteArray AttemptJournal::edit(const JournalEdit& edit)
{
    QJsonObject fields{
        {JournalKey::Row, edit.row},
        {JournalKey::Column, edit.column},
        {JournalKey::Old, edit.oldText},
        {JournalKey::New, edit.newText},
    };
    // Written only when it tells something: a typed digit opens and commits its cell at once.
    if (edit.openedMs && *edit.openedMs < edit.ms)
        fields.insert(JournalKey::Opened, *edit.openedMs);
    return appendLine(EventKind::Edit, edit.ms, std::move(fields));
}

QByteArray AttemptJournal::restore(const JournalRestore& restore)
{
    QJsonArray cells;
    // A typed answer that the draft replaced by another one is listed apart, for the arbiter to look at.
    QJsonArray overwrites;
    for (const CellChange& change : restore.changes) {
        const QJsonArray cell{change.row, change.column, change.oldText, change.newText};
        cells.append(cell);
        if (!change.oldText.isEmpty() && !change.newText.isEmpty())
            overwrites.append(cell);
    }
    QJsonObject fields{
        {JournalKey::DraftSha256, restore.draftSha256},
        {JournalKey::Cells, cells},
        {JournalKey::Added, inHundredths(double(restore.addedSeconds))},
        {JournalKey::Overwrites, overwrites},
    };
    if (restore.draftNumber)
        fields.insert(JournalKey::Draft, *restore.draftNumber);
    if (!restore.draftSeal.isEmpty())
        fields.insert(JournalKey::DraftSeal, restore.draftSeal);
    return appendLine(EventKind::Restore, restore.ms, std::move(fields));
}

QByteArray AttemptJournal::box(const JournalBox& box)
{
    return appendLine(EventKind::Box, box.ms,
                      {
                          {JournalKey::Box, nameOf(box.kind)},
                          {JournalKey::Answer, nameOf(box.answer)},
                          {JournalKey::By, nameOf(box.by)},
                          {JournalKey::Asked, box.askedMs},
                      });
}

QByteArray AttemptJournal::timeDisplayToggled(bool countDown, qint64 ms)
{
    return appendLine(EventKind::TimeDisplay, ms, {{JournalKey::CountDown, countDown}});
}

QByteArray AttemptJournal::end(const JournalEnd& end)
{
    return appendLine(EventKind::End, end.ms,
                      {
                          {JournalKey::Reason, nameOf(end.reason)},
                          {JournalKey::Used, inHundredths(double(end.usedSeconds))},
                          {JournalKey::Score, end.score},
                      });
}

QByteArray AttemptJournal::appendLine(EventKind kind, qint64 ms, QJsonObject fields)
{
    return appendLine(kind, ms, m_wallClock(), std::move(fields));
}

QByteArray AttemptJournal::appendLine(EventKind kind, qint64 ms, qint64 wall, QJsonObject fields)
{
    fields.insert(JournalKey::Event, nameOf(kind));
    fields.insert(JournalKey::Number, m_events + 1);
    fields.insert(JournalKey::Ms, ms);
    fields.insert(JournalKey::Wall, wall);
    fields.insert(JournalKey::Prev, QString::fromLatin1(m_seal.isEmpty() ? NoPreviousLineHash : m_seal));
    // QJsonObject keeps its keys sorted, so the compact text is the canonical form of the line.
    QByteArray line = QJsonDocument(fields).toJson(QJsonDocument::Compact);
    m_seal = sha256Hex(line);
    ++m_events;
    line += '\n';
    return line;
}
