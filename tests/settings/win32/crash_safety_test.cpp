// The settings file survives the program being killed at any moment: a child process writes the settings
// in a loop and is killed hard at random points; after every kill the file reads, and every key holds the
// value of one whole write, never a mix of two, never older than one seen before.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "base/ini_file.h"
#include "base/win32/unique_handle.h"
#include "settings/win32/settings_location.h"
#include "settings/win32/store_services.h"
#include "support/win32/files.h"

namespace qv::settings::win32 {
namespace {

constexpr wchar_t kWriterVariable[] = L"QV_CRASH_WRITER_INI";
constexpr int kKeys = 12;

// Every write gives all keys of both sections the same generation, in one replacement of the file.
void write_generation(const ini::IniFile& file, int generation) {
    std::vector<ini::IniSectionEntries> sections{{L"Clean", {}}, {L"Design", {}}};
    for (int key = 0; key < kKeys; ++key) {
        sections[static_cast<size_t>(key % 2)].entries.push_back(
            {L"Key" + std::to_wstring(key), std::to_wstring(generation) + L" ＭＳ Ｐゴシック"});
    }
    file.write(sections);
}

// The generation all keys hold; -1 before the first write; fails the test on a mix.
int generation_of(const ini::IniFile& file) {
    int found = -2;
    for (int key = 0; key < kKeys; ++key) {
        const std::wstring value = file.read(key % 2 ? L"Design" : L"Clean", L"Key" + std::to_wstring(key), L"-1");
        const int generation = std::stoi(value);
        if (found == -2) found = generation;
        EXPECT_EQ(generation, found) << "key " << key << " of a file holding two writes";
    }
    return found;
}

// Only in the child that the kill test starts: writes until it is killed (or a minute is up).
TEST(SettingsCrashWriter, DISABLED_UntilKilled) {
    const wchar_t* path = _wgetenv(kWriterVariable);
    if (!path) GTEST_SKIP() << "started by the kill test only";
    SystemServices system;
    const ini::IniFile file(*system.services().files, *system.services().ansi, path);
    int generation = std::stoi(file.read(L"Clean", L"Key0", L"0"));
    const DWORD until = ::GetTickCount() + 60000;
    while (::GetTickCount() < until) {
        try {
            write_generation(file, ++generation);
        } catch (const AppError&) {
            ::Sleep(1);  // a read-only file: every write is refused
        }
    }
}

class SettingsCrash : public ::testing::Test {
protected:
    std::mt19937 random{20261208};

    // Starts the writer on `path`, lets it run until `writing` says it is under way (or for a moment
    // when none is given), then a moment more, and kills it.
    void kill_writer_once(const std::wstring& path, const std::function<bool()>& writing = {}) {
        wchar_t self[MAX_PATH];
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring command = L"\"" + std::wstring(self) +
                               L"\" --gtest_also_run_disabled_tests --gtest_filter=SettingsCrashWriter.DISABLED_UntilKilled";
        ::SetEnvironmentVariableW(kWriterVariable, path.c_str());
        // The child's test report would fill this one's two hundred times.
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        win::UniqueFileHandle nul(::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                &inherit, OPEN_EXISTING, 0, nullptr));
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = startup.hStdOutput = startup.hStdError = nul.get();
        PROCESS_INFORMATION info{};
        const BOOL started =
            ::CreateProcessW(self, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
        ::SetEnvironmentVariableW(kWriterVariable, nullptr);
        ASSERT_TRUE(started) << "error " << ::GetLastError();
        win::UniqueKernelHandle process(info.hProcess), thread(info.hThread);
        if (writing) {
            const DWORD until = ::GetTickCount() + 5000;
            while (!writing() && ::GetTickCount() < until) ::Sleep(1);
            ::Sleep(std::uniform_int_distribution<DWORD>(0, 15)(random));
        } else {
            ::Sleep(std::uniform_int_distribution<DWORD>(5, 60)(random));
        }
        ::TerminateProcess(process.get(), 9);
        ::WaitForSingleObject(process.get(), 10000);
    }

    // Kills the writer `kills` times while it writes; after each kill the file holds one whole write,
    // newer than the one before.
    void kill_repeatedly(const std::wstring& path, int kills) {
        SystemServices system;
        const ini::IniFile file(*system.services().files, *system.services().ansi, path);
        int last = generation_of(file);
        for (int kill = 0; kill < kills && !HasFailure(); ++kill) {
            // Read without checking: the writer may be half-way through replacing the file.
            auto writing = [&] { return std::stoi(file.read(L"Clean", L"Key0", L"-1")) > last; };
            kill_writer_once(path, writing);
            const int now = generation_of(file);
            EXPECT_GT(now, last) << "kill " << kill << ": the writer wrote nothing, or left an older file";
            last = now;
        }
    }
};

TEST_F(SettingsCrash, EveryKillLeavesOneWholeWriteBesideTheProgramAndInTheUserFolder) {
    test::TempFolder folder(L"qv-settings-crash");
    const std::wstring beside = folder.file(L"Quorvane.ini");
    kill_repeatedly(beside, 120);

    // What the killed writers left half-made is cleared by the next write.
    SystemServices system;
    write_generation(ini::IniFile(*system.services().files, *system.services().ansi, beside), 1 << 30);
    EXPECT_EQ(folder.names(), std::vector<std::wstring>{L"Quorvane.ini"});

    const std::wstring per_user = per_user_ini_path(L"C:\\Program Files\\Quorvane\\QvCrashTest.ini");
    ASSERT_FALSE(per_user.empty());
    ::DeleteFileW(per_user.c_str());
    kill_repeatedly(per_user, 40);
    ::DeleteFileW(per_user.c_str());
}

TEST_F(SettingsCrash, AReadOnlyFileStaysAsItWasThroughEveryKill) {
    test::TempFolder folder(L"qv-settings-crash-ro");
    const std::wstring path = folder.file(L"Quorvane.ini");
    const std::string before = "; mine\r\n[Clean]\r\nKey0=7\r\n";
    test::write_file(path, before);
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    for (int kill = 0; kill < 40; ++kill) kill_writer_once(path);
    // The next write, refused too, clears what the killed writers left.
    SystemServices system;
    EXPECT_THROW(ini::IniFile(*system.services().files, *system.services().ansi, path).write(L"Clean", L"Key0", L"8"),
                 AppError);
    EXPECT_EQ(test::read_file(path).value_or("<missing>"), before);
    EXPECT_EQ(folder.names(), std::vector<std::wstring>{L"Quorvane.ini"});
}

} // namespace
} // namespace qv::settings::win32
