#pragma once

#include "journal/AttemptJournal.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <vector>

// Plays the owner of a running attempt for tests and benchmarks: hands the journal the events a recall
// stage would, keeps the answers so that every edit carries the right old text, and collects the lines.
// Times are milliseconds since the start. The recorded end (score, used time) is given by the caller,
// as the results screen showed it.
class AttemptScript final
{
public:
    struct Shape
    {
        int numberPosition = 1; // pi
        int digitsPerRow = 30;
        bool cellTimerOn = true;
        int concentrationSeconds = 3;
    };

    AttemptScript();
    explicit AttemptScript(const Shape& shape);

    AttemptScript& countdownEnds(qint64 ms);
    // One committed edit of (row, column) to `text`; `openedMs` when its editor opened earlier.
    AttemptScript& type(int row, int column, const QString& text, qint64 ms, std::optional<qint64> openedMs = {});
    // Digits first..first+count-1 in reading order, one every `stepMs` from `startMs`, correct unless
    // `wrongAt` names one of them.
    AttemptScript& typeDigits(int first, int count, qint64 startMs, qint64 stepMs, int wrongAt = 0);
    AttemptScript& restore(const std::vector<std::pair<int, QString>>& digitTexts, float addedSeconds, qint64 ms);
    AttemptScript& box(BoxKind kind, BoxAnswer answer, AnsweredBy by, qint64 askedMs, qint64 ms);
    AttemptScript& toggleTimeDisplay(bool countDown, qint64 ms);
    AttemptScript& end(EndReason reason, float usedSeconds, int score, qint64 ms);

    QByteArray bytes() const { return m_lines.join(); }
    const QList<QByteArray>& lines() const { return m_lines; }
    QByteArray seal() const { return m_journal.seal(); }

    // The question digit and the current answer of a digit index.
    QString question(int digitIndex) const;
    QString answer(int digitIndex) const;
    // A digit other than the question digit.
    QString wrongDigit(int digitIndex) const;
    int digitsPerRow() const { return m_shape.digitsPerRow; }

private:
    void add(const QByteArray& line) { m_lines.append(line); }
    std::size_t cellOf(int row, int column) const;

    Shape m_shape;
    QString m_digits;
    qint64 m_wallStart = 1'735'732'800'000; // 2025-01-01 12:00 UTC
    qint64 m_now = 0;
    AttemptJournal m_journal;
    std::vector<QString> m_answers;
    QList<QByteArray> m_lines;
};
