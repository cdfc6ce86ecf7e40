#pragma once

#include <QString>

// Where an attempt's evidence is kept, beside its draft in the program directory: the journal
// attempt_<draftNumber>.journal and, in the folder reports/, its report as PDF and CSV.
QString journalFileName(int draftNumber);
QString reportsFolderName();
QString reportPdfFileName(int draftNumber);
QString reportCsvFileName(int draftNumber);
