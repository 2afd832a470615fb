#include "settings/reg_manager.h"

#include <gtest/gtest.h>

#include <set>

#include "base/ascii.h"
#include "settings/settings_table.h"
#include "settings/test_fakes.h"

namespace qv::settings {
namespace {

using testing::MemoryStore;

class StoreTest : public ::testing::Test {
protected:
    StoreTest() { RM.IniFileName = store.path; }

    void put(const std::wstring& text) { store.file() = *store.ansi.encode(text); }
    std::wstring text() { return store.ansi.decode(store.file()); }

    MemoryStore store;
    TRegManager RM = make_main_store(store.services());
};

TEST(SettingsTable, NamesAreUniqueAndDefaultsAreReadable) {
    const TRegItems items = main_store_items();
    ASSERT_EQ(items.Count(), 52);
    std::set<std::wstring> names;
    for (int i = 0; i < items.Count(); ++i) {
        const TRegItem& item = items.Items(i);
        EXPECT_TRUE(names.insert(ascii_uppercase(item.Name)).second) << "duplicate item " << i;
        EXPECT_TRUE(std::set<std::wstring>({L"CLEAN", L"WINDOW", L"HOTKEY", L"DESIGN"}).count(ascii_uppercase(item.Section)))
            << "item " << i;
        // Every default is a boolean word, an integer or a colour (a typo would surface as a conversion
        // error at start-up).
        const std::wstring& d = item.DefaultValue;
        EXPECT_TRUE(d.empty() || d == L"True" || d == L"False" || parse_integer(d) || parse_color(d)) << "item " << i;
    }
}

TEST_F(StoreTest, WithoutAFileEveryItemReadsAsItsDefault) {
    EXPECT_EQ(RM.Filer(L"RefreshTime").ReadInteger(), 2000);
    EXPECT_EQ(RM.Filer(L"CleanValue").ReadInteger(), -1);
    EXPECT_TRUE(RM.Filer(L"Snap").ReadBool());
    EXPECT_FALSE(RM.Filer(L"ACChk").ReadBool());
    EXPECT_EQ(RM.Filer(L"IconMenu").ReadInteger(), 6);
    EXPECT_EQ(RM.Filer(L"AIcons").ReadString(), L"0000");
    EXPECT_EQ(RM.Filer(L"WindowColor").ReadColor(), 0x00FF8000u);
    EXPECT_EQ(RM.Filer(L"GaugeColor1").ReadColor(), 0x00FFFF00u);
    EXPECT_EQ(RM.Filer(L"HotKeyClean").ReadString(), L"");
    FontSpec designed{L"ＭＳ Ｐゴシック", 9, 0xFFFFFF, fsBold};
    FontSpec font = designed;
    RM.Filer(L"TitleFont").ReadFont(font);
    EXPECT_EQ(font.name, designed.name);
    EXPECT_EQ(font.size, designed.size);
    EXPECT_EQ(font.color, designed.color);
    EXPECT_TRUE(store.notifier.shown.empty());
    EXPECT_FALSE(store.exists()) << "reads must not create the file";
}

TEST_F(StoreTest, StoredTextAgainstItemKinds) {
    put(L"[Window]\r\nRefreshTime=\r\nTopMost=True\r\nSnap=0\r\nAlarm=1\r\n[Clean]\r\nACChk=yes\r\n");
    EXPECT_EQ(RM.Filer(L"RefreshTime").ReadInteger(), 0) << "an empty value is not the default";
    EXPECT_FALSE(RM.Filer(L"TopMost").ReadBool()) << "the word True is not 1";
    EXPECT_FALSE(RM.Filer(L"Snap").ReadBool());
    EXPECT_TRUE(RM.Filer(L"Alarm").ReadBool());
    EXPECT_FALSE(RM.Filer(L"ACChk").ReadBool());
}

TEST_F(StoreTest, WritesReachTheFileAtOnceAndReadsSeeOutsideChanges) {
    MemoryStore& shared = store;
    TRegManager other = make_main_store(shared.services());
    other.IniFileName = store.path;
    RM.Filer(L"CleanValue").WriteInteger(512);
    EXPECT_EQ(other.Filer(L"CleanValue").ReadInteger(), 512);
    put(L"[Clean]\r\nCleanValue=64\r\n");
    EXPECT_EQ(RM.Filer(L"CleanValue").ReadInteger(), 64);
    RM.Filer(L"Snap").WriteBool(false);
    RM.Filer(L"Snap").WriteBool(true);
    EXPECT_EQ(text(), L"[Clean]\r\nCleanValue=64\r\n[Window]\r\nSnap=1\r\n");
}

TEST_F(StoreTest, HotkeySectionsAreOneSection) {
    // The settings dialog's order, after the user chose Ctrl+Alt+W for the window.
    RM.Filer(L"HotKeyWindow").WriteString(L"Ctrl+Alt+W");
    RM.Filer(L"HotKeyClean").WriteString(L"");
    RM.Filer(L"HotKeySet").WriteString(L"");
    RM.Filer(L"HotKeyStop").WriteString(L"");
    RM.Filer(L"HotKeyAutoHide").WriteString(L"");
    EXPECT_EQ(text(),
              L"[Hotkey]\r\nHotkeyWindow=Ctrl+Alt+W\r\nHotkeyClean=\r\nHotKeySet=\r\nHotKeyStop=\r\nHotKeyAutoHide=\r\n");
    RM.Filer(L"HotKeySet").WriteString(L"^A");
    EXPECT_EQ(RM.Filer(L"HotKeySet").ReadString(), L"^A");
    EXPECT_EQ(text().find(L"[HotKey]"), std::wstring::npos);
}

TEST_F(StoreTest, KeysKeepTheTableSpelling) {
    RM.Filer(L"isc0").WriteColor(0x0000FF);
    EXPECT_EQ(text(), L"[Design]\r\nIsc0=clRed\r\n");
    put(L"[design]\r\nISC0=CLAQUA\r\n");
    EXPECT_EQ(RM.Filer(L"ISC0").ReadColor(), 0x00FFFF00u);
    RM.Filer(L"ISC0").WriteColor(0x00FF8000);
    EXPECT_EQ(text(), L"[design]\r\nISC0=$00FF8000\r\n");
}

TEST_F(StoreTest, UnknownNamesShowAMessageAndDoNothing) {
    EXPECT_EQ(RM.Filer(L"CleanValu").ReadInteger(), 0);
    ASSERT_EQ(store.notifier.shown.size(), 1u);
    EXPECT_EQ(store.notifier.shown[0], L"[' CleanValu '] is invalid.");
    auto& filer = RM.Filer(L"Bogus");
    EXPECT_EQ(filer.Item(), nullptr);
    EXPECT_EQ(filer.ReadString(), L"");
    EXPECT_FALSE(filer.ReadBool());
    EXPECT_EQ(filer.ReadColor(), 0u);
    filer.WriteString(L"x");
    filer.WriteInteger(1);
    filer.WriteFont({L"x", 1, 0, 0});
    filer.WriteStrings(std::vector<std::wstring>{L"a"});
    filer.WriteBinary(std::vector<std::uint8_t>{1, 2});
    std::vector<std::wstring> list{L"kept"};
    filer.ReadStrings(list);
    EXPECT_EQ(list, std::vector<std::wstring>{L"kept"});
    EXPECT_FALSE(store.exists());
    EXPECT_EQ(store.notifier.shown.size(), 2u) << "one message per lookup";
    // The next lookup positions the filer again; names match in any case.
    EXPECT_EQ(RM.Filer(L"refreshtime").ReadInteger(), 2000);
}

TEST_F(StoreTest, AStoreWithoutAFileShowsWhyOnEveryAccess) {
    struct Case {
        TRegType type;
        std::wstring path;
        const wchar_t* message;
    };
    for (const Case& c : {Case{TRegType::rtIni, L"", L"can not create Inifile object."},
                          Case{TRegType::rtReg, store.path, L"can not create Registry object."}}) {
        store.notifier.shown.clear();
        RM.RegType = c.type;
        RM.IniFileName = c.path;
        EXPECT_EQ(RM.Filer(L"CleanValue").ReadInteger(), -1);
        RM.Filer(L"CleanValue").WriteInteger(5);
        EXPECT_EQ(RM.Filer(L"Filer").ReadEntry(L"", L"x", L"d"), L"d");  // no access: no message for it
        EXPECT_EQ(store.notifier.shown,
                  (std::vector<std::wstring>{c.message, c.message, L"[' Filer '] is invalid."}));
        EXPECT_FALSE(store.exists());
    }
}

TEST_F(StoreTest, RefusedWritesReachTheCaller) {
    put(L"[Clean]\r\nCleanValue=1\r\n");
    store.disk.read_only.insert(store.path);
    try {
        RM.Filer(L"CleanValue").WriteInteger(2);
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.text(), store.path + L" に書き込めません");
    }
    EXPECT_EQ(RM.Filer(L"CleanValue").ReadInteger(), 1);
}

TEST_F(StoreTest, ABatchWritesEverythingInOneReplacementOrNothing) {
    const std::string before = *store.ansi.encode(L"[Clean]\r\nCleanValue=64\r\n");
    auto write_some = [&](const std::wstring& back_image) {
        RM.Filer(L"CleanValue").WriteInteger(128);
        RM.Filer(L"WindowFont").WriteFont({L"Arial", 9, 0, 0});
        RM.Filer(L"BackImage").WriteString(back_image);
        RM.Filer(L"Snap").WriteBool(false);
    };
    store.file() = before;
    {
        WriteBatch batch(RM);
        write_some(L"C:\\back.bmp");
        EXPECT_EQ(RM.Filer(L"CleanValue").ReadInteger(), 64) << "held back until committed";
    }
    EXPECT_EQ(store.file(), before) << "dropped without a commit";

    // A value no file can hold, or a file that cannot be written: nothing changes.
    for (bool read_only : {false, true}) {
        store.disk.read_only = read_only ? std::set{store.path} : std::set<std::wstring>{};
        WriteBatch batch(RM);
        write_some(read_only ? L"C:\\back.bmp" : L"C:\\back\r\n.bmp");
        EXPECT_THROW(batch.Commit(), AppError);
        EXPECT_EQ(store.file(), before);
    }
    store.disk.read_only.clear();

    const int replacements = store.disk.replacements;
    WriteBatch batch(RM);
    write_some(L"C:\\back.bmp");
    batch.Commit();
    EXPECT_EQ(store.disk.replacements, replacements + 1);
    EXPECT_EQ(text(), L"[Clean]\r\nCleanValue=128\r\n[Design]\r\nWindowFont_FontName=Arial\r\nWindowFont_FontSize=9\r\n"
                      L"WindowFont_FontColor=clBlack\r\nBackImage=C:\\back.bmp\r\n[Window]\r\nSnap=0\r\n");
}

// The reads of one moment share one reading of the file; a write in between is seen, and a change
// made after the batch too.
TEST_F(StoreTest, AReadBatchReadsTheFileOnceAndSeesWrites) {
    put(L"[Clean]\r\nACChk=1\r\n[Window]\r\nAlarm=1\r\nAlarmValue=15\r\n");
    const int before = store.disk.reads;
    {
        ReadBatch reads(RM);
        EXPECT_TRUE(RM.Filer(L"ACChk").ReadBool());
        EXPECT_TRUE(RM.Filer(L"Alarm").ReadBool());
        {
            ReadBatch inner(RM);
            EXPECT_EQ(RM.Filer(L"AlarmValue").ReadInteger(), 15);
        }
        EXPECT_EQ(RM.Filer(L"RefreshTime").ReadInteger(), 2000);
        EXPECT_EQ(store.disk.reads, before + 1);
        RM.Filer(L"AlarmValue").WriteInteger(30);
        EXPECT_EQ(RM.Filer(L"AlarmValue").ReadInteger(), 30);
        EXPECT_TRUE(RM.Filer(L"ACChk").ReadBool());
    }
    put(L"[Window]\r\nAlarmValue=40\r\n");
    EXPECT_EQ(RM.Filer(L"AlarmValue").ReadInteger(), 40);
    EXPECT_FALSE(RM.Filer(L"ACChk").ReadBool());
}

// A file whose size and time of change stay as they were is not read again, for two seconds at most: a
// coarse clock of the file system may give two contents one time.
TEST_F(StoreTest, AnUnchangedFileIsNotReadAgainForTwoSecondsAndAnyWriteIsSeen) {
    store.disk.clock_ms = 100;
    put(L"[Window]\r\nAlarmValue=15\r\n");
    EXPECT_EQ(RM.Filer(L"AlarmValue").ReadInteger(), 15);
    const int reads = store.disk.reads;
    put(L"[Window]\r\nAlarmValue=25\r\n");  // same size, same time of change
    store.disk.clock_ms = 2099;
    EXPECT_EQ(RM.Filer(L"AlarmValue").ReadInteger(), 15);
    EXPECT_EQ(store.disk.reads, reads);
    store.disk.clock_ms = 2100;
    EXPECT_EQ(RM.Filer(L"AlarmValue").ReadInteger(), 25);

    put(L"[Window]\r\nAlarmValue=35\r\n");
    store.disk.changed[store.path] = 1;
    EXPECT_EQ(RM.Filer(L"AlarmValue").ReadInteger(), 35);
    put(L"[Window]\r\nAlarmValue=5\r\n");
    EXPECT_EQ(RM.Filer(L"AlarmValue").ReadInteger(), 5) << "another size";
    RM.Filer(L"RefreshTime").WriteInteger(500);  // the fake keeps the time of change
    EXPECT_EQ(RM.Filer(L"RefreshTime").ReadInteger(), 500);
}

TEST_F(StoreTest, FontsUseThreeKeysAndLeaveTheStyle) {
    RM.Filer(L"WindowFont").WriteFont({L"ＭＳ Ｐゴシック", 11, 0x8000000F, fsBold | fsItalic});
    EXPECT_EQ(text(), L"[Design]\r\nWindowFont_FontName=ＭＳ Ｐゴシック\r\nWindowFont_FontSize=11\r\n"
                      L"WindowFont_FontColor=clBtnFace\r\n");
    FontSpec font{L"Arial", 8, 0, fsStrikeOut};
    RM.Filer(L"WindowFont").ReadFont(font);
    EXPECT_EQ(font.name, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(font.size, 11);
    EXPECT_EQ(font.color, 0x8000000Fu);
    EXPECT_EQ(font.style, fsStrikeOut);

    put(L"[Design]\r\nTitleFont_FontSize=large\r\n");
    font = {L"Arial", 8, 0xFF, 0};
    RM.Filer(L"TitleFont").ReadFont(font);
    EXPECT_EQ(font.size, 8) << "a size that is not an integer keeps the size";
    put(L"[Design]\r\nTitleFont_FontColor=reddish\r\n");
    EXPECT_THROW(RM.Filer(L"TitleFont").ReadFont(font), AppError);
}

TEST_F(StoreTest, StringLists) {
    RM.Filer(L"BackImage").WriteStrings(std::vector<std::wstring>{L"a", L"", L"画像 1"});
    RM.Filer(L"BackImage").WriteStrings(std::vector<std::wstring>{L"z"});
    std::vector<std::wstring> list{L"old"};
    RM.Filer(L"BackImage").ReadStrings(list);
    EXPECT_EQ(list, std::vector<std::wstring>{L"z"});
    EXPECT_NE(text().find(L"BackImage_Item2=画像 1"), std::wstring::npos) << "left-over entries stay";

    put(L"[Design]\r\nBackImage_ItemCount=3\r\nbackimage_item1=b\r\n");
    RM.Filer(L"BackImage").ReadStrings(list);
    EXPECT_EQ(list, (std::vector<std::wstring>{L"", L"b", L""}));

    for (const wchar_t* count : {L"-5", L"many", L"99999999999"}) {
        put(L"[Design]\r\nBackImage_ItemCount=" + std::wstring(count) + L"\r\n");
        RM.Filer(L"BackImage").ReadStrings(list);
        EXPECT_TRUE(list.empty());
    }
    put(L"[Design]\r\nBackImage_ItemCount=2000000000\r\n");
    RM.Filer(L"BackImage").ReadStrings(list);
    EXPECT_EQ(list.size(), static_cast<size_t>(TRegFiler::kMaxListEntries));
}

TEST_F(StoreTest, ByteStreams) {
    std::vector<std::uint8_t> bytes(65);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(255 - i);
    RM.Filer(L"SkinFileName").WriteBinary(bytes);
    const std::wstring file = text();
    EXPECT_NE(file.find(L"SkinFileName_c=3\r\nSkinFileName_d0=FFFEFD"), std::wstring::npos);
    EXPECT_NE(file.find(L"SkinFileName_d2=BF\r\n"), std::wstring::npos);
    std::vector<std::uint8_t> back{7};
    RM.Filer(L"SkinFileName").ReadBinary(back);
    back.erase(back.begin());
    EXPECT_EQ(back, bytes);

    store.disk.files.clear();
    RM.Filer(L"SkinFileName").WriteBinary({});
    EXPECT_FALSE(store.exists()) << "an empty stream writes nothing";
}

// A derived store supplies its own filer.
class CountingFiler : public TRegFiler {
public:
    using TRegFiler::TRegFiler;
    std::wstring ReadEntry(std::wstring_view section, std::wstring_view ident, std::wstring_view def) override {
        ++reads;
        return TRegFiler::ReadEntry(section, ident, def);
    }
    int reads = 0;
};

class CountingManager : public TRegManager {
public:
    using TRegManager::TRegManager;

protected:
    std::unique_ptr<TRegFiler> CreateFiler() override { return std::make_unique<CountingFiler>(*this); }
};

TEST(DerivedStore, SuppliesItsFiler) {
    MemoryStore store;
    CountingManager manager(store.services(), main_store_items());
    manager.IniFileName = store.path;
    EXPECT_EQ(manager.Filer(L"WD").ReadInteger(), 0);
    auto* filer = dynamic_cast<CountingFiler*>(&manager.Filer(L"WD"));
    ASSERT_NE(filer, nullptr);
    EXPECT_EQ(filer->reads, 1);
}

} // namespace
} // namespace qv::settings
