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

// The chosen number: its digits and the type list's text, empty until a choice is made. The settings
// window keeps it; an attempt is started from it.
class SpecialNumberChoice final
{
public:
    // Runs on every click of the type list. A position outside the table (no entry selected) keeps the
    // previous digits; the caption always becomes the list's displayed text.
    void SelectSpecialNumber(int position, const QString& displayedText);

    const QString& SelectedDigits() const { return m_selectedDigits; }
    const QString& SelectedTypeCaption() const { return m_selectedTypeCaption; }

private:
    QString m_selectedDigits;
    QString m_selectedTypeCaption;
};
