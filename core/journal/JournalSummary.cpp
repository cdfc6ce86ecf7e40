#include "journal/JournalSummary.h"

#include "base/ClockText.h"
#include "journal/JournalHash.h"

namespace {
QString line(const char* caption, const QString& value)
{
    return QStringLiteral("%1 %2\n").arg(QLatin1StringView(caption), -12).arg(value);
}
} // namespace

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

QString journalSummaryText(const VerificationResult& result)
{
    QString text;
    if (result.verdict != Verdict::Unreadable) {
        const AttemptHeader& header = result.header;
        text += line("Attempt", QStringLiteral("%1, %2, %3 digits per row, started %4 on %5, version %6")
                                    .arg(QString::number(header.draftNumber), header.sourceName,
                                         QString::number(header.settings.digitsPerRow), header.startTime, header.host,
                                         header.version));
        text += line("Events", QString::number(result.events) +
                                   (result.partialLastLine ? QStringLiteral(", then a partial line") : QString()));
        if (result.end) {
            text += line("Ended by", endReasonText(result.end->reason));
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
        text += line("Seal", QStringLiteral("%1  (%2)").arg(shortSeal(result.seal), QString::fromLatin1(result.seal)));
    }
    text += line("Verdict", result.verdictText);
    for (const JournalProblem& problem : result.problems)
        text += QStringLiteral("  ") + problem.message + QLatin1Char('\n');
    return text;
}
