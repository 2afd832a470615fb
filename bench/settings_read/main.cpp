// Median time of one settings read from a realistic 60-key file: our engine against the system's
// GetPrivateProfileStringW, in the same run, and their ratio. Prints; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/ini_file.h"
#include "settings/settings_table.h"
#include "settings/win32/store_services.h"

using namespace qv::settings;

namespace {

// The file as the program leaves it after the settings dialog's OK and some use: every item of the
// table, the three fonts as three keys each, Japanese font names and a Japanese picture path, and three
// keys a user added by hand.
std::wstring realistic_file() {
    std::wstring text;
    const TRegItems items = main_store_items();
    for (const wchar_t* section : {L"Clean", L"Window", L"Hotkey", L"Design"}) {
        text += L"[" + std::wstring(section) + L"]\r\n";
        if (std::wstring(section) == L"Window") text += L"Memo=仕事用\r\nLastVersion=0.81\r\nLang=ja\r\n";
        for (int i = 0; i < items.Count(); ++i) {
            const TRegItem& item = items.Items(i);
            if (_wcsicmp(item.Section.c_str(), section) != 0 || item.Name == L"AutoClean") continue;
            if (item.Name.ends_with(L"Font")) {
                text += item.Ident + L"_FontName=ＭＳ Ｐゴシック\r\n" + item.Ident + L"_FontSize=9\r\n" + item.Ident +
                        L"_FontColor=clWhite\r\n";
            } else if (item.Name == L"BackImage") {
                text += item.Ident + L"=C:\\Users\\利用者\\Pictures\\背景画像.jpg\r\n";
            } else if (item.Name == L"HotKeyWindow") {
                text += item.Ident + L"=Ctrl+Alt+W\r\n";
            } else {
                text += item.Ident + L"=" + (item.DefaultValue.empty() ? L"" : item.DefaultValue) + L"\r\n";
            }
        }
    }
    return text;
}

double ticks_to_us(long long ticks) {
    static const double frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    return static_cast<double>(ticks) * 1e6 / frequency;
}

long long now() {
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double median(std::vector<long long> samples) {
    std::nth_element(samples.begin(), samples.begin() + static_cast<long>(samples.size() / 2), samples.end());
    return ticks_to_us(samples[samples.size() / 2]);
}

} // namespace

int main() {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + L"qv-bench-settings-" + std::to_wstring(::GetCurrentProcessId()) + L".ini";

    win32::SystemServices system;
    const std::wstring text = realistic_file();
    const std::string bytes = *system.services().ansi->encode(text);
    {
        HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD put = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
        ::CloseHandle(file);
    }
    int keys = 0;
    for (size_t at = text.find(L'='); at != text.npos; at = text.find(L'=', at + 1)) ++keys;

    // What the program reads: every item, by the section and key of the table.
    const TRegItems items = main_store_items();
    TRegManager RM = make_main_store(system.services());
    RM.IniFileName = path;
    const qv::ini::IniFile ini(*system.services().files, *system.services().ansi, path);

    constexpr int kRounds = 40;
    std::vector<long long> ours, store, theirs;
    wchar_t buffer[2048];
    size_t checksum = 0;
    for (int round = 0; round < kRounds; ++round) {
        for (int i = 0; i < items.Count(); ++i) {
            const TRegItem& item = items.Items(i);
            // Interleaved, so that both see the same load on the machine.
            long long t0 = now();
            checksum += ini.read(item.Section, item.Ident, item.DefaultValue).size();
            long long t1 = now();
            checksum += ::GetPrivateProfileStringW(item.Section.c_str(), item.Ident.c_str(), item.DefaultValue.c_str(),
                                                   buffer, 2048, path.c_str());
            long long t2 = now();
            checksum += RM.Filer(item.Name).ReadString().size();
            long long t3 = now();
            ours.push_back(t1 - t0);
            theirs.push_back(t2 - t1);
            store.push_back(t3 - t2);
        }
    }
    ::DeleteFileW(path.c_str());

    const double our_median = median(ours);
    const double their_median = median(theirs);
    std::printf("settings read, %d keys, %zu bytes, %zu reads each (checksum %zu)\n", keys, bytes.size(), ours.size(),
                checksum);
    std::printf("  ours (IniFile::read)               median %8.2f us\n", our_median);
    std::printf("  ours (RM.Filer(name).Read...) median %8.2f us\n", median(store));
    std::printf("  GetPrivateProfileStringW      median %8.2f us\n", their_median);
    std::printf("  ratio ours / system           %8.2f (target <= 1.0)\n", our_median / their_median);
    return 0;
}
