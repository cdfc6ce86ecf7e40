#pragma once

#include <QString>
#include <QStringList>

// The three special numbers an attempt can be made on and the choice of one of them.

// The digit string built in under a resource key (101 e, 102 sqrt(2), 103 pi): the first decimals after
// the point, truncated. Loaded on first use and kept for the whole run; an unknown key gives an empty string.
const QString& digitsForResourceKey(int key);

// The resource key of a type-list position (0 sqrt(2) → 102, 1 pi → 103, 2 e → 101); 0 for any other.
int resourceKeyForPosition(int position);

// The type-list entries, in list order.
const QStringList& specialNumberEntries();

// The digits and the list text of the chosen number, shared by every screen; empty until a choice is made.
extern QString SelectedDigits;
extern QString SelectedTypeCaption;

// Runs on every click of the type list. A position outside the table (no entry selected) keeps the
// previous digits; the caption always becomes the list's displayed text.
void SelectSpecialNumber(int position, const QString& displayedText);
