// A test that runs VARLO.EXE in a scratch folder of its own and ends it afterwards.
#ifndef VARLO_TESTS_E2E_E2E_FIXTURE_H
#define VARLO_TESTS_E2E_E2E_FIXTURE_H

#include <gtest/gtest.h>

#include "driver.h"

class VarloTest : public ::testing::Test {
protected:
    driver::Program program;

    void TearDown() override { driver::terminate(program); }

    // Starts the program and waits for its main window.
    HWND launch(const driver::MidiSettings& midi = {}) {
        startOnly(midi);
        program.window = driver::waitForWindow(program);
        EXPECT_NE(program.window, nullptr) << "no main window";
        return program.window;
    }

    void startOnly(const driver::MidiSettings& midi = {}) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = std::string(info->test_suite_name()) + "." + info->name();
        program.folder = driver::makeScratchFolder(std::wstring(name.begin(), name.end()));
        ASSERT_TRUE(driver::start(program, midi));
    }

    // Milliseconds from now until the process has ended, or -1 when it did not
    // end within the timeout; its exit code goes to `exitCode`.
    long millisecondsToExit(long& exitCode, DWORD timeoutMs = driver::kDefaultTimeoutMs) {
        const double begin = driver::nowMs();
        exitCode = driver::waitForExit(program, timeoutMs);
        if (exitCode == -1) return -1;
        return static_cast<long>(driver::nowMs() - begin);
    }
};

#endif
