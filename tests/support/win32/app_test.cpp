#include "support/win32/app_test.h"

#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "base/win32/text.h"
#include "support/win32/screen_capture.h"

namespace qv::test {

namespace fs = std::filesystem;

AppDriver& AppTest::prepare(std::optional<std::string> ini) {
    apps_.push_back(std::make_unique<AppDriver>(std::move(ini)));
    return *apps_.back();
}

AppDriver& AppTest::launch(std::optional<std::string> ini) {
    AppDriver& app = prepare(std::move(ini));
    app.start();
    return app;
}

fs::path AppTest::artifacts_root() {
    fs::path root = environment_path(L"QV_ARTIFACTS");
    return root.empty() ? fs::current_path() / L"e2e-artifacts" : root;
}

fs::path AppTest::artifacts_folder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) {
        if (c == '/' || c == '\\' || c == ':') c = '_';
    }
    return artifacts_root() / win::utf8_to_wide(name);
}

bool AppTest::long_scenarios_run_here() {
    return _wgetenv(L"QV_E2E_LONG") != nullptr;
}

void AppTest::SetUp() {
    // What an earlier run of this scenario left would mislead whoever looks.
    std::error_code ignored;
    fs::remove_all(artifacts_folder(), ignored);
    // A copy already running in this Wine session (left by an earlier scenario, or started by hand in the
    // same prefix) would turn every start here into a silent second start.
    ASSERT_EQ(count_processes(environment_path(L"QV_EXE").filename().wstring()), 0)
        << "Quorvane already runs in this Wine session; end it first (scripts/run.sh --stop)";
}

void AppTest::TearDown() {
    const bool failed = HasFailure();
    fs::path folder;
    if (failed) {
        folder = artifacts_folder();
        // Taken before the programs end, while their windows are still there.
        if (!ScreenCapture::take().save_bmp(folder / L"screen.bmp")) ADD_FAILURE() << "no screenshot was saved";
    }
    int number = 0;
    for (auto& app : apps_) {
        app->end();
        ++number;
        if (failed) {
            std::error_code ignored;
            fs::path copy = folder / (number == 1 ? std::wstring(L"Quorvane.ini")
                                                  : L"Quorvane-" + std::to_wstring(number) + L".ini");
            fs::copy_file(app->ini_path(), copy, fs::copy_options::overwrite_existing, ignored);
        }
    }
    apps_.clear();
    if (failed) std::printf("diagnostics of the failed scenario: %ls\n", folder.c_str());
}

} // namespace qv::test
