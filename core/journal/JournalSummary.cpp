#include "journal/JournalSummary.h"

#include "base/ClockText.h"
#include "journal/JournalHash.h"

#include <QDateTime>

#include <cstdlib>

namespace {
QString line(const char* caption, const QString& value)
{
    return QStringLiteral("%1 %2\n").arg(QLatin1StringView(caption), -12).arg(value);
}

QDateTime startDateTime(const VerificationResult& result)
{
    return QDateTime::fromString(result.header.startTime, Qt::ISODateWithMs);
}

QString withOffset(const QDateTime& time)
{
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss ")) + QStringLiteral("%1%2:%3")
                                                                       .arg(QLatin1Char(offset < 0 ? '-' : '+'))
                                                                       .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                                                                       .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

QString restoreText(const RestoreEntry& restore)
{
    QString text = QStringLiteral("event %1 at %2 s: %3 cells")
                       .arg(restore.event)
                       .arg(QString::number(double(restore.ms) / 1000.0, 'f', 2))
                       .arg(restore.cellsChanged);
    if (restore.cellsChanged > 0)
        text += QStringLiteral(" (row %1, column %2 to row %3, column %4)")
                    .arg(restore.firstCell.first)
                    .arg(restore.firstCell.second)
                    .arg(restore.lastCell.first)
                    .arg(restore.lastCell.second);
    text += QStringLiteral(", %1 s added").arg(QString::number(restore.addedSeconds, 'f', 2));
    if (restore.draftNumber)
        text += QStringLiteral(", from the draft of attempt %1").arg(*restore.draftNumber);
    if (!restore.draftSeal.isEmpty())
        text += QStringLiteral(" (its journal's seal %1)").arg(shortSeal(restore.draftSeal.toLatin1()));
    if (!restore.overwritten.empty())
        text += QStringLiteral("; %1 typed answers replaced by others").arg(restore.overwritten.size());
    return text;
}

QString usedTimeSummary(double seconds)
{
    return QStringLiteral("%1 (%2 s)").arg(clockText(float(seconds)), QString::number(seconds, 'f', 2));
}

QString longestGapSummary(const VerificationResult& result)
{
    if (result.longestGapMs < 0)
        return QStringLiteral("none");
    return QStringLiteral("%1 s, before digit %2")
        .arg(QString::number(double(result.longestGapMs) / 1000.0, 'f', 2))
        .arg(result.longestGapDigit);
}

QString endReasonText(EndReason reason)
{
    switch (reason) {
    case EndReason::Finish:
        return QStringLiteral("FINISH");
    case EndReason::StageTime:
        return QStringLiteral("the 8-hour limit");
    case EndReason::DigitTime:
        return QStringLiteral("the 15-second limit for one digit");
    case EndReason::WrongLockedDigit:
        return QStringLiteral("a wrong locked digit");
    case EndReason::Back:
        return QStringLiteral("BACK (abandoned)");
    case EndReason::Cancel:
        return QStringLiteral("CANCEL (abandoned)");
    }
    return {};
}

QString startTimeText(const VerificationResult& result)
{
    const QDateTime start = startDateTime(result);
    return start.isValid() ? withOffset(start) : result.header.startTime;
}

QString endTimeText(const VerificationResult& result)
{
    if (!result.end)
        return {};
    const QDateTime start = startDateTime(result);
    const int offset = start.isValid() ? start.offsetFromUtc() : 0;
    return withOffset(QDateTime::fromMSecsSinceEpoch(result.endWallMs).toOffsetFromUtc(offset));
}

QString journalSummaryText(const VerificationResult& result)
{
    QString text;
    if (result.wasChecked()) {
        const AttemptHeader& header = result.header;
        text += line("Attempt", QStringLiteral("%1, %2, %3 digits per row, started %4 on %5, version %6")
                                    .arg(QString::number(header.draftNumber), header.sourceName,
                                         QString::number(header.settings.digitsPerRow), startTimeText(result),
                                         header.host, header.version));
        if (header.rehearsal)
            text +=
                line("Kind", QStringLiteral("rehearsal under the record rules, from training; not a record attempt"));
        text += line("Events", QString::number(result.events) +
                                   (result.partialLastLine ? QStringLiteral(", then a partial line") : QString()));
        if (result.end) {
            text += line("Ended by", endReasonText(result.end->reason) + QStringLiteral(", at ") + endTimeText(result));
            text += line("Score", QStringLiteral("%1 (recorded %2)").arg(result.score).arg(result.end->score));
            text += line("Used time",
                         QStringLiteral("%1; recorded %2")
                             .arg(usedTimeSummary(result.usedSeconds), usedTimeSummary(result.end->usedSeconds)));
        } else {
            text += line("Score", QString::number(result.score));
            text += line("Used time", usedTimeSummary(result.usedSeconds));
        }
        text += line("Longest gap", longestGapSummary(result));
        text += line("Corrections", QString::number(result.corrections.size()));
        text += line("Restores", QString::number(result.restores.size()));
        for (const RestoreEntry& restore : result.restores)
            text += line("Restore", restoreText(restore));
        text += line("Seal", QStringLiteral("%1  (%2)").arg(shortSeal(result.seal), QString::fromLatin1(result.seal)));
    }
    for (const QString& warning : result.warnings)
        text += line("Warning", warning);
    text += line("Verdict", result.verdictText);
    for (const JournalProblem& problem : result.problems)
        text += QStringLiteral("  ") + problem.message + QLatin1Char('\n');
    return text;
}
