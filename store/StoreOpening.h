#pragma once

#include <QString>

// What opening the training database came to, for the caller to show.
struct StoreOpening
{
    bool opened = false;  // the store reads and writes; when false it keeps nothing
    QString message;      // for the competitor: why it did not open, or that a damaged file was kept aside
    QString setAsidePath; // where a damaged database now lies; empty when none was found
};
