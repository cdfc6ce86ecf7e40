#include "crash_soak/SoakProcess.h"

#include <QFile>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

SoakProcess::SoakProcess(const QString& program, const QStringList& arguments)
{
    std::vector<QByteArray> texts{QFile::encodeName(program)};
    for (const QString& argument : arguments)
        texts.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0)
        m_pid = pid;
    posix_spawn_file_actions_destroy(&actions);
}

SoakProcess::~SoakProcess()
{
    kill();
}

bool SoakProcess::kill()
{
    if (!started() || m_ended)
        return false;
    m_ended = true;
    int status = 0;
    if (::waitpid(m_pid, &status, WNOHANG) == m_pid)
        return true;
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, &status, 0);
    return false;
}
