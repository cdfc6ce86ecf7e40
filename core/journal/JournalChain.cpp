#include "journal/JournalChain.h"

#include "journal/EventFields.h"
#include "journal/JournalFormat.h"
#include "journal/JournalHash.h"

namespace {
JournalProblem altered(int event, const QString& message)
{
    return {event, ProblemKind::Altered, QStringLiteral("event %1: ").arg(event) + message};
}

qint64 numberOf(const JournalLine& line)
{
    const QJsonValue number = line.object.value(JournalKey::Number);
    return isWholeNumber(number) ? number.toInteger() : -1;
}

// A line numbered `wanted` later in the journal means the lines were reordered, not lost.
std::optional<std::size_t> laterPlaceOf(const std::vector<JournalLine>& lines, std::size_t from, qint64 wanted)
{
    for (std::size_t index = from; index < lines.size(); ++index) {
        if (lines[index].readable && numberOf(lines[index]) == wanted)
            return index;
    }
    return std::nullopt;
}
} // namespace

std::optional<JournalProblem> findChainBreak(const std::vector<JournalLine>& lines)
{
    QByteArray previousHash = NoPreviousLineHash;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const JournalLine& line = lines[index];
        const int event = int(index) + 1;
        if (!line.readable)
            return altered(event, QStringLiteral("its line is not a JSON object"));
        const qint64 number = numberOf(line);
        if (number != event) {
            if (const auto later = laterPlaceOf(lines, index + 1, event))
                return altered(event, QStringLiteral("it is out of place: it stands as line %1").arg(*later + 1));
            if (number > event)
                return altered(event, QStringLiteral("it is missing"));
            return altered(event, QStringLiteral("its line is numbered %1").arg(number));
        }
        if (line.object.value(JournalKey::Prev).toString() != QLatin1StringView(previousHash)) {
            if (event == 1)
                return altered(1, QStringLiteral("it does not begin the chain"));
            // Nothing follows the end: the stranger here is this line, not the end before it.
            if (lines[index - 1].object.value(JournalKey::Event).toString() == nameOf(EventKind::End))
                return altered(event, QStringLiteral("it follows the end of the attempt"));
            // The line before no longer hashes to what this line recorded of it.
            return altered(
                event - 1,
                QStringLiteral("it was changed after it was written (the chain breaks at event %1)").arg(event));
        }
        previousHash = line.hash;
    }
    return std::nullopt;
}
