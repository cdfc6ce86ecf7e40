#pragma once

#include <QString>

#include <vector>

// The program folder of the soak: a copy of the program beside a settings.xml, where the program writes
// its drafts, and what a killed run left there.
class SoakFolder final
{
public:
    // Fails (empty path()) when the program cannot be copied.
    SoakFolder(const QString& base, const QString& program, const QByteArray& settings);

    const QString& path() const { return m_path; }
    QString programPath() const;

    // Removes every draft, so that the next run's draft is the only one.
    void removeDrafts() const;
    bool hasDraft() const;
    // Hidden files that begin like a draft: the temporary files of draft writes.
    int temporaryDraftFiles() const;

    struct Draft
    {
        bool found = false;
        QString error;                     // why it does not load as a record of the sheet; empty when it does
        std::vector<QString> answers = {}; // row by row
    };
    // The newest draft_record_N.xml, loaded as the program would restore it into a sheet of that shape.
    Draft newestDraft(int rows, int columns) const;

private:
    QString m_path;
};
