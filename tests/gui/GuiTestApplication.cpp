#include "Fonts.h"

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

// Widgets, fonts and painting need one application object for the whole test program.
class GuiTestApplication final : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "korvalin_gui_test";
        static char* argv[] = {name, nullptr};
        previousHandler = qInstallMessageHandler(quietMessageHandler);
        // Never destroyed: it must outlive every static the tests leave behind.
        new QApplication(argc, argv);
        registerFallbackFonts();
    }
};

[[maybe_unused]] const auto* const environment = ::testing::AddGlobalTestEnvironment(new GuiTestApplication);
} // namespace
