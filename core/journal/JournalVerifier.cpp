#include "journal/JournalVerifier.h"

#include <cstdlib>

#include "digits/SpecialNumbers.h"
#include "journal/AttemptReplay.h"
#include "journal/DraftCheck.h"
#include "journal/EventFields.h"
#include "journal/JournalChain.h"
#include "journal/JournalFormat.h"
#include "journal/JournalHash.h"
#include "journal/JournalLines.h"
#include "journal/SealText.h"
#include "settings/SettingsLists.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {
// Between the first and the last event the time of day should move as the attempt's clock does; more
// than this apart means someone or something set it. A warning, not a verdict: a clock can be set.
constexpr qint64 ClockDriftWarningMs = 2000;

template <typename Lines> void noteClockDrift(const Lines& split, VerificationResult& result)
{
    const auto* first = &split.lines.front();
    const auto* last = first;
    for (const auto& line : split.lines) {
        if (line.readable)
            last = &line;
    }
    if (last == first)
        return;
    const qint64 wallMs =
        last->object.value(JournalKey::Wall).toInteger() - first->object.value(JournalKey::Wall).toInteger();
    const qint64 ms = last->object.value(JournalKey::Ms).toInteger() - first->object.value(JournalKey::Ms).toInteger();
    const qint64 drift = wallMs - ms;
    if (std::llabs(drift) <= ClockDriftWarningMs)
        return;
    result.warnings.append(QStringLiteral("the time of day moved %1 s %2 than the attempt's clock from its start "
                                          "to event %3; the rules were judged on the attempt's clock")
                               .arg(QString::number(double(std::llabs(drift)) / 1000.0, 'f', 1),
                                    drift > 0 ? QStringLiteral("further") : QStringLiteral("less"))
                               .arg(result.events));
}

VerificationResult unreadable(VerificationResult result, const QString& why)
{
    result.verdict = Verdict::Unreadable;
    result.verdictText = QStringLiteral("cannot be read: ") + why;
    return result;
}

bool isStartLine(const JournalLine& line)
{
    return line.readable && line.object.value(JournalKey::Event).toString() == nameOf(EventKind::Start);
}

// Reads the start event into the header and lays out the sheet from the built-in digits it names.
std::optional<JournalProblem> readStart(const QJsonObject& line, VerificationResult& result)
{
    EventFields fields(line);
    AttemptHeader& header = result.header;
    header.version = fields.text(JournalKey::Version);
    header.sourceName = fields.text(JournalKey::Source);
    header.sourceSha256 = fields.text(JournalKey::SourceSha256).toLatin1();
    header.startTime = fields.text(JournalKey::Time);
    header.host = fields.text(JournalKey::Host);
    header.draftNumber = int(fields.integer(JournalKey::Draft));
    const QJsonValue rehearsal = line.value(JournalKey::Rehearsal);
    header.rehearsal = rehearsal.isBool() && rehearsal.toBool();
    const QJsonObject settingsObject = fields.object(JournalKey::Settings);
    EventFields settings(settingsObject);
    header.numberPosition = int(settings.integer(JournalKey::NumberPosition));
    header.settings.digitsPerRow = int(settings.integer(JournalKey::DigitsPerRow));
    header.settings.groupSize = int(settings.integer(JournalKey::GroupSize));
    header.settings.showStageTimer = settings.boolean(JournalKey::ShowStageTimer);
    header.settings.concentrationSeconds = int(settings.integer(JournalKey::ConcentrationSeconds));
    header.settings.cellTimerOn = settings.boolean(JournalKey::CellTimerOn);
    const auto problem = [](const QString& message) {
        return JournalProblem{1, ProblemKind::Altered, QStringLiteral("event 1: ") + message};
    };
    if (!fields.ok())
        return problem(fields.problem());
    if (!settings.ok())
        return problem(QStringLiteral("settings: ") + settings.problem());
    // Written only as true; anything else there is no journal the program wrote.
    if (line.contains(JournalKey::Rehearsal) && !header.rehearsal)
        return problem(QStringLiteral("\"rehearsal\" is not true"));

    const QString& digits = digitsForResourceKey(resourceKeyForPosition(header.numberPosition));
    if (digits.isEmpty())
        return problem(QStringLiteral("there is no number at position %1").arg(header.numberPosition));
    if (!columnCountEntries().contains(QString::number(header.settings.digitsPerRow)))
        return problem(
            QStringLiteral("%1 digits per row is not a setting of the program").arg(header.settings.digitsPerRow));
    if (sha256Hex(digits.toLatin1()) != header.sourceSha256)
        return problem(QStringLiteral("the SHA-256 of the digit source is not that of the built-in digits of %1")
                           .arg(specialNumberEntries().value(header.numberPosition)));

    result.columns = header.settings.digitsPerRow;
    result.rows = int(digits.size() / result.columns);
    const qsizetype cells = qsizetype(result.rows) * result.columns;
    result.questions.reserve(std::size_t(cells));
    for (qsizetype index = 0; index < cells; ++index)
        result.questions.emplace_back(digits.at(index));
    return std::nullopt;
}

// ", with 1 restore of 58 cells": an attempt with restores is never passed without saying so.
QString restoresNote(const VerificationResult& result)
{
    if (result.restores.empty())
        return {};
    int cells = 0;
    for (const RestoreEntry& restore : result.restores)
        cells += restore.cellsChanged;
    const auto count = [](qsizetype number, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(number).arg(QLatin1StringView(number == 1 ? one : many));
    };
    return QStringLiteral(", with %1 of %2")
        .arg(count(qsizetype(result.restores.size()), "restore", "restores"), count(cells, "cell", "cells"));
}

void decideVerdict(VerificationResult& result)
{
    const auto firstOf = [&result](ProblemKind kind) {
        return std::find_if(result.problems.begin(), result.problems.end(),
                            [kind](const JournalProblem& problem) { return problem.kind == kind; });
    };
    if (const auto altered = firstOf(ProblemKind::Altered); altered != result.problems.end()) {
        result.verdict = Verdict::Altered;
        result.verdictText = QStringLiteral("altered: ") + altered->message;
    } else if (const auto broken = firstOf(ProblemKind::BrokenRule); broken != result.problems.end()) {
        result.verdict = Verdict::BreaksRules;
        result.verdictText = QStringLiteral("breaks the rules: ") + broken->message;
    } else if (!result.end) {
        result.verdict = Verdict::Incomplete;
        result.verdictText = QStringLiteral("incomplete: journal ends early after event %1%2; no result")
                                 .arg(QString::number(result.events), restoresNote(result));
    } else {
        result.verdict = Verdict::Valid;
        result.verdictText = QStringLiteral("valid") + restoresNote(result);
    }
    if (result.header.rehearsal)
        result.verdictText = QStringLiteral("rehearsal, not a record attempt: ") + result.verdictText;
}
} // namespace

VerificationResult verifyJournalFile(const QString& journalPath, const VerifyOptions& options)
{
    QFile file(journalPath);
    if (!file.open(QIODevice::ReadOnly))
        return unreadable({}, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(journalPath), file.errorString()));
    return verifyJournal(file.readAll(), options);
}

VerificationResult verifyJournal(const QByteArray& journal, const VerifyOptions& options)
{
    VerificationResult result;
    // A mistyped seal would otherwise read as an altered journal.
    const SealText expectedSeal = readSealText(options.expectedSeal);
    if (!options.expectedSeal.isEmpty() && !expectedSeal.isSeal()) {
        result.verdict = Verdict::NotASeal;
        result.verdictText =
            QStringLiteral("not a seal: \"%1\": %2").arg(options.expectedSeal.trimmed(), expectedSeal.problem);
        return result;
    }
    const JournalLines split = splitJournalLines(journal);
    result.partialLastLine = split.partialLastLine;
    result.events = int(split.lines.size());
    if (split.lines.empty())
        return unreadable(std::move(result), QStringLiteral("it holds no complete event"));
    if (!isStartLine(split.lines.front()))
        return unreadable(std::move(result), QStringLiteral("its first line is not the start of an attempt"));
    result.seal = split.lines.back().hash;

    const std::optional<JournalProblem> chainBreak = findChainBreak(split.lines);
    if (chainBreak)
        result.problems.push_back(*chainBreak);
    if (const auto startProblem = readStart(split.lines.front().object, result)) {
        result.problems.push_back(*startProblem);
        decideVerdict(result);
        return result;
    }

    AttemptReplay replay(result);
    for (std::size_t index = 1; index < split.lines.size(); ++index) {
        if (split.lines[index].readable)
            replay.apply(int(index) + 1, split.lines[index].object);
    }
    replay.finish();
    noteClockDrift(split, result);
    for (const RestoreEntry& restore : result.restores)
        result.warnings.append(QStringLiteral("event %1 restored %2 cells from a draft; a restore belongs only to an "
                                              "attempt that was really interrupted")
                                   .arg(restore.event)
                                   .arg(restore.cellsChanged));
    if (result.end)
        result.endWallMs = split.lines[std::size_t(result.end->event - 1)].object.value(JournalKey::Wall).toInteger();
    // Once the chain is broken the events are not the ones written; what they would break says nothing.
    if (!chainBreak)
        result.problems.insert(result.problems.end(), replay.problems().begin(), replay.problems().end());
    // A crash cuts a line only before the end; bytes after the end were put there by someone else.
    if (result.end && split.partialLastLine)
        result.problems.push_back(
            {result.events + 1, ProblemKind::Altered,
             QStringLiteral("event %1: a part of a line follows the end of the attempt").arg(result.events + 1)});

    if (!options.draftPath.isEmpty()) {
        DraftComparison draft =
            compareWithDraft(options.draftPath, result, replay.answersAtLastEdit(), replay.usedSecondsAtLastEdit());
        if (draft.unreadable)
            return unreadable(std::move(result), *draft.unreadable);
        result.problems.insert(result.problems.end(), draft.problems.begin(), draft.problems.end());
    }
    if (expectedSeal.isSeal() && !expectedSeal.matches(result.seal))
        result.problems.push_back({0, ProblemKind::Altered,
                                   QStringLiteral("the seal %1 of the journal is not the seal %2 written down")
                                       .arg(shortSeal(result.seal), options.expectedSeal)});
    decideVerdict(result);
    return result;
}
