#include "VerifyCommand.h"

#include <QCoreApplication>

#ifdef KORVALIN_WITH_REPORTS
#include <QApplication>
#endif

#include <cstdio>
#include <memory>

namespace {
#ifdef KORVALIN_WITH_REPORTS
QtMessageHandler qtMessages = nullptr;

// The platform's remarks about a desktop session this program does not use would only bury the verdict.
void withoutPlatformRemarks(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(u"QStandardPaths:") && qtMessages)
        qtMessages(type, context, message);
}
#endif
} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));

    VerifyCommand command;
    const bool parsed = command.parse(arguments);
    std::unique_ptr<QCoreApplication> application;
#ifdef KORVALIN_WITH_REPORTS
    if (parsed && command.writesPdf()) {
        // The report's chart is drawn by Qt Charts, which needs a QApplication; this program shows no
        // window, so it needs no display either.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qtMessages = qInstallMessageHandler(withoutPlatformRemarks);
        application = std::make_unique<QApplication>(argc, argv);
    }
#endif
    if (!application)
        application = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("korvalin-verify"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!parsed) {
        err << command.error() << "\n\n" << command.helpText();
        return VerifyCommand::CannotRead;
    }
    if (command.wantsHelp()) {
        out << command.helpText();
        return 0;
    }
    return command.run(out, err);
}
