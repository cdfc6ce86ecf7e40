#pragma once

#include <QString>

#include <vector>

// The training database a killed run left in the data folder, looked at as the program's next start
// would (its store opens the file, sets nothing aside and its check of the whole file finds nothing),
// then read through the views other programs read.
class SoakDatabase final
{
public:
    explicit SoakDatabase(QString folder) : m_folder(std::move(folder)) {}

    struct Keystroke
    {
        int seq = 0;
        int position = 0;
        int expected = 0;
        int typed = 0;
    };
    struct Session
    {
        qint64 id = 0;
        QString mode;
        QString number;
        int firstPosition = 0;
        int typed = 0;
        int correct = 0;
        std::vector<Keystroke> keystrokes = {}; // from keystroke_log, in the order of seq
    };
    struct Look
    {
        QString fault;                      // why the file did not open cleanly; empty when it did
        std::vector<Session> sessions = {}; // those after the session asked for, from session_summary
    };
    Look look(qint64 afterSession) const;

private:
    QString openingFault() const;
    QString readSessions(qint64 afterSession, std::vector<Session>& sessions) const;

    QString m_folder;
};
