#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <string>

// Collects the warnings Qt logs while it lives: QAbstractItemModelTester in its Warning mode reports
// each broken rule as one, and the test goes on to report them all.
class CapturedWarnings final
{
public:
    CapturedWarnings() : m_previous(qInstallMessageHandler(&CapturedWarnings::capture)) { warnings().clear(); }
    ~CapturedWarnings() { qInstallMessageHandler(m_previous); }
    CapturedWarnings(const CapturedWarnings&) = delete;
    CapturedWarnings& operator=(const CapturedWarnings&) = delete;

    bool isEmpty() const { return warnings().isEmpty(); }
    std::string text() const { return warnings().join(QLatin1Char('\n')).toStdString(); }

private:
    static QStringList& warnings()
    {
        static QStringList captured;
        return captured;
    }

    static void capture(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type != QtDebugMsg && type != QtInfoMsg)
            warnings().append(message);
    }

    QtMessageHandler m_previous;
};
