#include "Fonts.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {
// One application object for the whole test program: fonts and painting need it.
class SkinPaintTestEnvironment final : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "korvalin_test";
        static char* argv[] = {name, nullptr};
        // Never destroyed: it must outlive every static the tests leave behind.
        new QApplication(argc, argv);
        registerFallbackFonts();
    }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new SkinPaintTestEnvironment);
} // namespace
