#pragma once

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

// One QCoreApplication for the whole test program: the draft writer delivers its results through the
// event loop. Register it once per program with ::testing::AddGlobalTestEnvironment.
class CoreApplicationEnvironment final : public ::testing::Environment
{
public:
    void SetUp() override { m_app = std::make_unique<QCoreApplication>(m_argc, m_argv); }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "core_test";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QCoreApplication> m_app;
};
