#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

// A run of the soaked program, its output thrown away, that ends with a SIGKILL: as a crash or a power
// cut would end it, with no chance to save anything.
class SoakProcess final
{
public:
    // Starts `program` with `arguments`; running() is false when it could not be started.
    SoakProcess(const QString& program, const QStringList& arguments);
    // Kills a run that was not ended.
    ~SoakProcess();
    SoakProcess(const SoakProcess&) = delete;
    SoakProcess& operator=(const SoakProcess&) = delete;

    bool started() const { return m_pid > 0; }
    pid_t pid() const { return m_pid; }
    // Kills the program and waits until it is gone; true when it had already ended by itself.
    bool kill();

private:
    pid_t m_pid = -1;
    bool m_ended = false;
};
