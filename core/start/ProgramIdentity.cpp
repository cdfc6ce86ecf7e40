#include "start/ProgramIdentity.h"

#include "base/ProgramVersion.h"

#include <QCoreApplication>

QString programName()
{
    return QStringLiteral("korvalin");
}

QString programVersion()
{
    return QString::fromLatin1(ProgramVersion);
}

QString programDesktopId()
{
    return QStringLiteral(KORVALIN_DESKTOP_ID);
}

QString installedDesktopEntryFromProgramFolder()
{
    return QStringLiteral(KORVALIN_BIN_TO_APPLICATIONS "/" KORVALIN_DESKTOP_ID ".desktop");
}

void identifyProgram()
{
    // No organisation: the data folder is then ~/.local/share/korvalin rather than one level deeper.
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(programName());
    QCoreApplication::setApplicationVersion(programVersion());
}
