#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Where an attempt's evidence is kept, beside its draft in the program directory: the journal
// attempt_<draftNumber>.journal and, in the folder reports/, its report as PDF and CSV.
QString journalFileName(int draftNumber);
QString reportsFolderName();
QString reportPdfFileName(int draftNumber);
QString reportCsvFileName(int draftNumber);

// The number of the attempt whose draft_record_N.xml in `folder` holds exactly `bytes`; none when no
// draft there does (a draft copied from elsewhere, or edited).
std::optional<int> attemptNumberOfDraft(const QString& folder, const QByteArray& bytes);
// The seal of the journal at `path`, the SHA-256 of its last whole line; empty when there is no such line.
QByteArray journalFileSeal(const QString& path);
// Whether the journal at `path` starts as a rehearsal from training does.
bool journalIsOfRehearsal(const QString& path);
