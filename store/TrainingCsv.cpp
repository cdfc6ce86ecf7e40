#include "TrainingCsv.h"

#include "TrainingVocabulary.h"

#include <QLocale>

#include <initializer_list>

namespace {
QByteArray field(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\n') || bytes.contains('\r'))
        bytes = '"' + bytes.replace('"', "\"\"") + '"';
    return bytes;
}

QByteArray field(qint64 number)
{
    return QByteArray::number(number);
}

QByteArray field(double number)
{
    // The shortest text that reads back as the same double.
    return QString::number(number, 'g', QLocale::FloatingPointShortest).toLatin1();
}

void appendLine(QByteArray& csv, std::initializer_list<QByteArray> fields)
{
    bool first = true;
    for (const QByteArray& value : fields) {
        if (!first)
            csv += ',';
        csv += value;
        first = false;
    }
    csv += "\r\n";
}
} // namespace

QByteArray csvHeader(TrainingView view)
{
    QByteArray header = viewColumns(view).join(QLatin1Char(',')).toLatin1();
    return header + "\r\n";
}

void appendCsvRow(QByteArray& csv, const StoredSession& row)
{
    appendLine(csv, {field(row.sessionId), field(modeText(row.mode)), field(numberText(row.number)),
                     field(qint64(row.firstPosition)), field(utcText(row.startedUtc)), field(row.seconds),
                     field(qint64(row.typed)), field(qint64(row.correct))});
}

void appendCsvRow(QByteArray& csv, const StoredKeystroke& row)
{
    appendLine(csv, {field(row.sessionId), field(qint64(row.seq)), field(qint64(row.position)),
                     field(qint64(row.expected)), field(qint64(row.typed)), field(row.ms)});
}

void appendCsvRow(QByteArray& csv, const StoredItemState& row)
{
    appendLine(csv,
               {field(row.itemId), field(numberText(row.number)), field(kindText(row.kind)),
                field(qint64(row.firstPosition)), field(qint64(row.lastPosition)), field(row.stability),
                field(row.difficulty), field(utcText(row.dueUtc)), field(qint64(row.reps)), field(qint64(row.lapses))});
}

void appendCsvRow(QByteArray& csv, const StoredReview& row)
{
    appendLine(csv,
               {field(row.itemId), field(row.sessionId), field(utcText(row.reviewedUtc)), field(qint64(row.rating))});
}
