#pragma once

#include <QObject>
#include <QString>

struct WriteResult;

// Writes the report of an attempt's journal without holding up the window that starts it: the journal
// is verified and the files are written on a pool thread, and only the chart, which Qt Charts draws
// with widgets, is drawn on the application's thread in between. The steps are those of
// writeAttemptReport. The report is written to its end even when the job is deleted first; finished()
// then goes to no one.
class AttemptReportJob final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AttemptReportJob)

public:
    explicit AttemptReportJob(QObject* parent = nullptr);

    // Starts the report of the journal at `journalPath`: the PDF at `pdfPath`, the CSV at `csvPath`.
    // Call once, on the application's thread; a second call is ignored.
    void start(const QString& journalPath, const QString& pdfPath, const QString& csvPath);

    // For a window that comes after finished() was emitted.
    bool isFinished() const { return m_finished; }
    bool ok() const { return m_ok; }
    QString error() const { return m_error; }

signals:
    // Once, on the application's thread: whether both files were written, and why not.
    void finished(bool ok, const QString& error);

private:
    void finish(const WriteResult& written);

    bool m_started = false;
    bool m_finished = false;
    bool m_ok = false;
    QString m_error;
};
