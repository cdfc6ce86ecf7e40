#include "AttemptScript.h"

#include "digits/SpecialNumbers.h"

AttemptScript::AttemptScript() : AttemptScript(Shape{}) {}

AttemptScript::AttemptScript(const Shape& shape)
    : m_shape(shape), m_digits(digitsForResourceKey(resourceKeyForPosition(shape.numberPosition))),
      m_journal([this] { return m_wallStart + m_now; })
{
    m_answers.assign(std::size_t(m_digits.size() / shape.digitsPerRow * shape.digitsPerRow), QString());
    JournalStart start;
    start.numberPosition = shape.numberPosition;
    start.settings.digitsPerRow = shape.digitsPerRow;
    start.settings.groupSize = 5;
    start.settings.cellTimerOn = shape.cellTimerOn;
    start.settings.concentrationSeconds = shape.concentrationSeconds;
    start.sourceName = specialNumberEntries().value(shape.numberPosition);
    start.digits = m_digits;
    start.draftNumber = 4711;
    start.hostName = QStringLiteral("arbiter-pc");
    add(m_journal.start(start));
}

AttemptScript& AttemptScript::countdownEnds(qint64 ms)
{
    m_now = ms;
    add(m_journal.countdownEnded(ms));
    return *this;
}

std::size_t AttemptScript::cellOf(int row, int column) const
{
    return std::size_t(row - 1) * std::size_t(m_shape.digitsPerRow) + std::size_t(column - 1);
}

AttemptScript& AttemptScript::type(int row, int column, const QString& text, qint64 ms, std::optional<qint64> openedMs)
{
    m_now = ms;
    const std::size_t cell = cellOf(row, column);
    const QString old = cell < m_answers.size() ? m_answers[cell] : QString();
    add(m_journal.edit({row, column, old, text, ms, openedMs}));
    if (cell < m_answers.size())
        m_answers[cell] = text;
    return *this;
}

AttemptScript& AttemptScript::typeDigits(int first, int count, qint64 startMs, qint64 stepMs, int wrongAt)
{
    for (int index = first; index < first + count; ++index) {
        const int row = (index - 1) / m_shape.digitsPerRow + 1;
        const int column = (index - 1) % m_shape.digitsPerRow + 1;
        type(row, column, index == wrongAt ? wrongDigit(index) : question(index), startMs + (index - first) * stepMs);
    }
    return *this;
}

AttemptScript& AttemptScript::restore(const std::vector<std::pair<int, QString>>& digitTexts, float addedSeconds,
                                      qint64 ms)
{
    m_now = ms;
    JournalRestore restore;
    restore.draftSha256 = QStringLiteral("5d41402abc4b2a76b9719d911017c592ae5d41402abc4b2a76b9719d911017c5");
    restore.addedSeconds = addedSeconds;
    restore.ms = ms;
    for (const auto& [index, text] : digitTexts) {
        const int row = (index - 1) / m_shape.digitsPerRow + 1;
        const int column = (index - 1) % m_shape.digitsPerRow + 1;
        restore.changes.push_back({row, column, m_answers[std::size_t(index - 1)], text});
        m_answers[std::size_t(index - 1)] = text;
    }
    add(m_journal.restore(restore));
    return *this;
}

AttemptScript& AttemptScript::box(BoxKind kind, BoxAnswer answer, AnsweredBy by, qint64 askedMs, qint64 ms)
{
    m_now = ms;
    add(m_journal.box({kind, answer, by, askedMs, ms}));
    return *this;
}

AttemptScript& AttemptScript::toggleTimeDisplay(bool countDown, qint64 ms)
{
    m_now = ms;
    add(m_journal.timeDisplayToggled(countDown, ms));
    return *this;
}

AttemptScript& AttemptScript::end(EndReason reason, float usedSeconds, int score, qint64 ms)
{
    m_now = ms;
    add(m_journal.end({reason, usedSeconds, score, ms}));
    return *this;
}

QString AttemptScript::question(int digitIndex) const
{
    return m_digits.mid(digitIndex - 1, 1);
}

QString AttemptScript::answer(int digitIndex) const
{
    return m_answers[std::size_t(digitIndex - 1)];
}

QString AttemptScript::wrongDigit(int digitIndex) const
{
    return QString::number((question(digitIndex).toInt() + 1) % 10);
}
