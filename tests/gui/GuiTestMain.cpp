#include "skin/Fonts.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {
// The headless platform cannot grab the mouse or raise windows; its complaints about that only bury
// real output.
QtMessageHandler previousHandler = nullptr;

void quietMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(u"This plugin does not support") && previousHandler)
        previousHandler(type, context, message);
}
} // namespace

// Widgets, fonts and painting need one application object for the whole test program.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    previousHandler = qInstallMessageHandler(quietMessageHandler);
    // Never destroyed: it must outlive every static the tests leave behind.
    new QApplication(argc, argv);
    registerFallbackFonts();
    return RUN_ALL_TESTS();
}
