#include "csv/AttemptCsv.h"

namespace {
QByteArray seconds(qint64 ms)
{
    return ms < 0 ? QByteArray() : QByteArray::number(double(ms) / 1000.0, 'f', 3);
}

// Answers restored from a foreign draft may hold anything, so text fields are quoted when they must be.
QByteArray field(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\n') || bytes.contains('\r'))
        bytes = '"' + bytes.replace("\"", "\"\"") + '"';
    return bytes;
}
} // namespace

QByteArray attemptCsv(const VerificationResult& result)
{
    QByteArray csv =
        "index,row,column,question,answer,correct,first_entry_s,last_change_s,gap_before_s,corrections,restored\r\n";
    csv.reserve(qsizetype(result.questions.size()) * 48 + csv.size());
    const std::size_t columns = std::size_t(std::max(result.columns, 1));
    for (std::size_t cell = 0; cell < result.questions.size(); ++cell) {
        const CellHistory& history = result.cells[cell];
        csv += QByteArray::number(qulonglong(cell + 1)) + ',' + QByteArray::number(qulonglong(cell / columns + 1)) +
               ',' + QByteArray::number(qulonglong(cell % columns + 1)) + ',' + field(result.questions[cell]) + ',' +
               field(result.answers[cell]) + ',' + (result.correct[cell] ? "yes" : "no") + ',' +
               seconds(history.firstEntryMs) + ',' + seconds(history.lastChangeMs) + ',' +
               seconds(history.gapBeforeMs) + ',' + QByteArray::number(history.corrections) + ',' +
               (history.restored ? "yes" : "") + "\r\n";
    }
    return csv;
}
