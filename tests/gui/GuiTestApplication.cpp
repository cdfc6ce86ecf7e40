#include "Fonts.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {
// Widgets need one application object for the whole test program.
class GuiTestApplication final : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "korvalin_gui_test";
        static char* argv[] = {name, nullptr};
        m_app = new QApplication(argc, argv);
        registerFallbackFonts();
    }
    void TearDown() override { delete m_app; }

private:
    QApplication* m_app = nullptr;
};

[[maybe_unused]] const auto* const environment = ::testing::AddGlobalTestEnvironment(new GuiTestApplication);
} // namespace
