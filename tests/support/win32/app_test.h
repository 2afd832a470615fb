#pragma once
// Fixture of the end-to-end scenarios. It owns every program a scenario starts and ends them all at
// the end of the scenario; when the scenario failed, it first leaves what a person needs to see what
// went wrong in QV_ARTIFACTS/<suite>.<test>/: a screenshot of the whole screen (screen.bmp) and a copy
// of each program's INI file as it stood after the program ended (Quorvane.ini, Quorvane-2.ini, ...).
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/win32/app_driver.h"

namespace qv::test {

class AppTest : public ::testing::Test {
protected:
    // A fresh copy of the program (optionally with an INI file of these bytes), not yet started.
    AppDriver& prepare(std::optional<std::string> ini = std::nullopt);
    // prepare() and start() in one.
    AppDriver& launch(std::optional<std::string> ini = std::nullopt);

    // QV_ARTIFACTS, or a folder in the working directory when it is not set.
    static std::filesystem::path artifacts_root();
    // This scenario's own diagnostics folder.
    static std::filesystem::path artifacts_folder();

    // Scenarios that spend a minute or more waiting run as tests of their own (e2e_long_N, which set
    // QV_E2E_LONG) beside the shards of the others, and are skipped in the shards.
    static bool long_scenarios_run_here();

    void SetUp() override;
    void TearDown() override;

private:
    std::vector<std::unique_ptr<AppDriver>> apps_;
};

} // namespace qv::test
