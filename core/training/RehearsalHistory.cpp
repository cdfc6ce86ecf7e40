#include "training/RehearsalHistory.h"

#include "training/TrainingRecorder.h"

#include <algorithm>

namespace {
struct StandingAnswer
{
    int position = 0;
    int expected = 0;
    int typed = 0;
    qint64 ms = 0;
};

std::vector<StandingAnswer> standingAnswers(const VerificationResult& result)
{
    std::vector<StandingAnswer> answers;
    for (std::size_t cell = 0; cell < result.answers.size() && cell < result.questions.size(); ++cell) {
        const QString& answer = result.answers[cell];
        const QString& question = result.questions[cell];
        if (answer.size() != 1 || !answer.at(0).isDigit() || question.size() != 1)
            continue;
        answers.push_back({int(cell) + 1, question.at(0).digitValue(), answer.at(0).digitValue(),
                           std::max<qint64>(result.cells[cell].lastChangeMs, 0)});
    }
    // In the order they were given, as a recital's keystrokes are.
    std::stable_sort(answers.begin(), answers.end(),
                     [](const StandingAnswer& a, const StandingAnswer& b) { return a.ms < b.ms; });
    return answers;
}
} // namespace

std::optional<qint64> recordRehearsal(const VerificationResult& result, TrainingRecorder& recorder)
{
    if (!result.wasChecked())
        return std::nullopt;
    const std::optional<TrainingNumber> number = numberAtTypeListPosition(result.header.numberPosition);
    if (!number)
        return std::nullopt;
    QDateTime started = QDateTime::fromString(result.header.startTime, Qt::ISODateWithMs);
    if (!started.isValid())
        started = QDateTime::fromString(result.header.startTime, Qt::ISODate);
    const qint64 sessionId = recorder.startSession(TrainingActivity::Rehearse, *number, 1, started.toUTC());
    int seq = 0;
    for (const StandingAnswer& answer : standingAnswers(result))
        recorder.digitTyped({sessionId, ++seq, answer.position, answer.expected, answer.typed, answer.ms});
    recorder.sessionFinished(sessionId, result.usedSeconds);
    return sessionId;
}
