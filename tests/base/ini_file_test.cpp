#include "base/ini_file.h"

#include <gtest/gtest.h>

#include <random>

#include "base/ascii.h"
#include "settings/test_fakes.h"

namespace qv::ini {
namespace {

using settings::testing::MemoryStore;

class IniFileTest : public ::testing::Test {
protected:
    MemoryStore store;
    IniFile ini{store.files, store.ansi, store.path};

    // Files are given as text and stored in Shift-JIS, as on a Japanese system.
    void put(const std::wstring& text) { store.file() = *store.ansi.encode(text); }
    std::wstring text() { return store.ansi.decode(store.file()); }
};

struct ReadCase {
    const char* name;
    std::wstring file;
    std::wstring section, key, fallback;
    std::wstring expected;
};

TEST_F(IniFileTest, ReadsByTheProfileRules) {
    const std::wstring long_value(3000, L'x');
    const ReadCase cases[] = {
        {"exact", L"[Clean]\r\nCleanValue=512\r\n", L"Clean", L"CleanValue", L"-1", L"512"},
        {"any letter case", L"[clean]\r\ncleanVALUE=512\r\n", L"CLEAN", L"CleanValue", L"-1", L"512"},
        {"blanks around names and value", L"  [ Clean ]  \r\n\t CleanValue \t=  512 \t\r\n", L"Clean", L"CleanValue",
         L"", L"512"},
        {"lookup names trimmed", L"[A]\r\nk=1\r\n", L" A ", L"\tk ", L"", L"1"},
        {"double quotes removed", L"[A]\r\nk=\"  a b  \"\r\n", L"A", L"k", L"", L"  a b  "},
        {"single quotes removed", L"[A]\r\nk='x'\r\n", L"A", L"k", L"", L"x"},
        {"mismatched quotes kept", L"[A]\r\nk=\"x'\r\n", L"A", L"k", L"", L"\"x'"},
        {"a lone quote kept", L"[A]\r\nk=\"\r\n", L"A", L"k", L"", L"\""},
        {"two quotes give empty", L"[A]\r\nk=''\r\n", L"A", L"k", L"d", L""},
        {"inner quotes kept", L"[A]\r\nk=a\"b\"\r\n", L"A", L"k", L"", L"a\"b\""},
        {"empty value is not the default", L"[A]\r\nk=\r\n", L"A", L"k", L"d", L""},
        {"blank value is empty", L"[A]\r\nk=   \r\n", L"A", L"k", L"d", L""},
        {"missing key", L"[A]\r\nj=1\r\n", L"A", L"k", L"d", L"d"},
        {"missing section", L"[B]\r\nk=1\r\n", L"A", L"k", L"d", L"d"},
        {"default loses trailing spaces only", L"", L"A", L"k", L" d  ", L" d"},
        {"first of duplicate keys", L"[A]\r\nK=1\r\nk=2\r\n", L"A", L"k", L"", L"1"},
        {"first of duplicate sections only", L"[A]\r\nx=1\r\n[B]\r\n[a]\r\ny=2\r\n", L"A", L"y", L"d", L"d"},
        {"key of another section", L"[A]\r\n[B]\r\nk=1\r\n", L"A", L"k", L"d", L"d"},
        {"LF line ends", L"[A]\nk=1\nj=2\n", L"A", L"j", L"", L"2"},
        {"no final line end", L"[A]\r\nk=1", L"A", L"k", L"", L"1"},
        {"lone CR line ends", L"[A]\rk=1\rj=2\r", L"A", L"j", L"", L"2"},
        {"mixed line ends", L"[B]\rk=0\n[A]\r\r\nk=1\rj=2", L"A", L"j", L"", L"2"},
        {"a header after a lone CR ends the section", L"[A]\rx=1\r[B]\rk=1\r", L"A", L"k", L"d", L"d"},
        {"line without equals is no key", L"[A]\r\nk\r\n", L"A", L"k", L"d", L"d"},
        {"value holding equals", L"[A]\r\nk=a=b\r\n", L"A", L"k", L"", L"a=b"},
        {"key with inner blank", L"[A]\r\nmy key=1\r\n", L"A", L"my key", L"", L"1"},
        {"lines before any section", L"k=1\r\n[A]\r\n", L"A", L"k", L"d", L"d"},
        {"bracket without close is no header", L"[A]\r\n[B\r\nk=1\r\n", L"A", L"k", L"", L"1"},
        {"header runs to its last bracket", L"[a]b]\r\nk=1\r\n", L"A]B", L"k", L"", L"1"},
        {"Shift-JIS with 0x5C trail bytes", L"[表示]\r\nソフト=能力\r\n", L"表示", L"ソフト", L"", L"能力"},
        {"Shift-JIS with bracket trail bytes", L"[ゼゾ]\r\nキー=ゾ\r\n", L"ゼゾ", L"キー", L"", L"ゾ"},
        {"full-width letters do not fold", L"[Ａ]\r\nk=1\r\n", L"ａ", L"k", L"d", L"d"},
        {"ideographic space is not a blank", L"[A]\r\nk=\u3000x\u3000\r\n", L"A", L"k", L"", L"\u3000x\u3000"},
        {"reads stop at 2047 characters", L"[A]\r\nk=" + long_value + L"\r\n", L"A", L"k", L"",
         long_value.substr(0, 2047)},
        {"quoted long value", L"[A]\r\nk=\"" + long_value + L"\"\r\n", L"A", L"k", L"", long_value.substr(0, 2047)},
    };
    for (const auto& c : cases) {
        put(c.file);
        EXPECT_EQ(ini.read(c.section, c.key, c.fallback), c.expected) << c.name;
    }
}

TEST_F(IniFileTest, MissingOrUnreadableFileGivesDefaults) {
    EXPECT_EQ(ini.read(L"A", L"k", L"d"), L"d");
    EXPECT_TRUE(ini.read_section(L"A").empty());
    put(L"[A]\r\nk=1\r\n");
    store.disk.unreadable.insert(store.path);
    EXPECT_EQ(ini.read(L"A", L"k", L"d"), L"d");
}

TEST_F(IniFileTest, ReadsFilesWithAByteOrderMark) {
    const std::wstring text = L"[Design]\rBackImage=C:\\画像\\é.bmp\r\n";
    const std::string utf8 = "\xEF\xBB\xBF" + *ini::Utf8Codec().encode(text);
    const std::string utf16le = "\xFF\xFE" + *ini::encode_utf16(text, false);
    const std::string utf16be = "\xFE\xFF" + *ini::encode_utf16(text, true);
    for (const std::string& bytes : {utf8, utf16le, utf16be}) {
        store.file() = bytes;
        EXPECT_EQ(ini.read(L"design", L"backimage", L""), L"C:\\画像\\é.bmp");
    }
}

TEST_F(IniFileTest, ReadSectionListsEntriesAsReadsSeeThem) {
    put(L"[A]\r\nx = 1\r\n\r\nnot an entry\r\ny='2'\r\nX=3\r\n[B]\r\nz=4\r\n");
    const auto entries = ini.read_section(L"a");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].key, L"x");
    EXPECT_EQ(entries[0].value, L"1");
    EXPECT_EQ(entries[1].value, L"2");
    EXPECT_EQ(entries[2].key, L"X");
}

struct WriteCase {
    const char* name;
    std::optional<std::wstring> before;
    std::wstring section, key, value;
    std::wstring after;
};

TEST_F(IniFileTest, WritesByTheProfileRules) {
    const WriteCase cases[] = {
        {"creates the file", std::nullopt, L"Clean", L"CleanValue", L"512", L"[Clean]\r\nCleanValue=512\r\n"},
        {"replaces in place keeping spellings", L"[hotkey]\r\nHOTKEYSET=a\r\nx=1\r\n", L"HotKey", L"HotKeySet", L"b",
         L"[hotkey]\r\nHOTKEYSET=b\r\nx=1\r\n"},
        {"replaced line keeps its line end", L"  [A]  \n  k = old  \n\n", L"A", L"K", L"new", L"  [A]  \nk=new\n\n"},
        {"new key after the last entry, not after blank lines", L"[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", L"a", L"z",
         L"3", L"[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
        {"new key right after the header of an empty section", L"[A]\r\n\r\n[B]\r\n", L"A", L"z", L"3",
         L"[A]\r\nz=3\r\n\r\n[B]\r\n"},
        {"new key after a last line without line end", L"[A]\r\nx=1", L"A", L"z", L"3", L"[A]\r\nx=1\r\nz=3\r\n"},
        {"new section at the end", L"[A]\r\nx=1\r\n\r\n", L"B", L"y", L"2", L"[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
        {"new section after a last line without line end", L"[A]\r\nx=1", L"B", L"y", L"2",
         L"[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
        {"first of duplicate sections", L"[A]\r\nx=1\r\n[B]\r\n[a]\r\ny=2\r\n", L"A", L"y", L"3",
         L"[A]\r\nx=1\r\ny=3\r\n[B]\r\n[a]\r\ny=2\r\n"},
        {"first of duplicate keys", L"[A]\r\nk=1\r\nk=2\r\n", L"A", L"k", L"9", L"[A]\r\nk=9\r\nk=2\r\n"},
        {"new names without blanks", std::nullopt, L" A ", L" k\t", L"v", L"[A]\r\nk=v\r\n"},
        {"value as given", L"[A]\r\n", L"A", L"k", L" spaced ", L"[A]\r\nk= spaced \r\n"},
        {"empty value", L"[A]\r\nk=1\r\n", L"A", L"k", L"", L"[A]\r\nk=\r\n"},
        {"a line without equals is not the key", L"[A]\r\nk\r\n", L"A", L"k", L"1", L"[A]\r\nk\r\nk=1\r\n"},
        {"Shift-JIS names and value", L"[表示]\r\n", L"表示", L"ソフト", L"能力", L"[表示]\r\nソフト=能力\r\n"},
        // New lines take the line end of the line before them, else the file's first one.
        {"CR-only file: replaced in place", L"[A]\rk=1\rj=2\r", L"A", L"k", L"9", L"[A]\rk=9\rj=2\r"},
        {"CR-only file: new key", L"[A]\rx=1\r\r[B]\ry=2\r", L"a", L"z", L"3", L"[A]\rx=1\rz=3\r\r[B]\ry=2\r"},
        {"CR-only file: new section", L"[A]\rx=1\r", L"B", L"y", L"2", L"[A]\rx=1\r[B]\ry=2\r"},
        {"CR-only file without final line end", L"[A]\rx=1", L"A", L"z", L"3", L"[A]\rx=1\rz=3\r"},
        {"LF file: new key", L"[A]\nx=1\n", L"A", L"z", L"3", L"[A]\nx=1\nz=3\n"},
        {"new key before an LF-only blank line", L"[A]\rx=1\n\n", L"A", L"z", L"3", L"[A]\rx=1\nz=3\n\n"},
    };
    for (const auto& c : cases) {
        store.disk.files.clear();
        if (c.before) put(*c.before);
        ini.write(c.section, c.key, c.value);
        EXPECT_EQ(text(), c.after) << c.name;
    }
}

TEST_F(IniFileTest, UntouchedLinesKeepTheirBytes) {
    // A byte sequence that is not Shift-JIS, on a line the write does not concern.
    store.file() = "[A]\r\nk=1\r\nbad=\x82\x20\xFF\r\n";
    ini.write(L"A", L"k", L"2");
    EXPECT_EQ(store.file(), "[A]\r\nk=2\r\nbad=\x82\x20\xFF\r\n");
}

TEST_F(IniFileTest, UnicodeFilesStayInTheirEncoding) {
    store.file() = "\xFF\xFE" + *ini::encode_utf16(L"[A]\r\nk=1\r\n", false);
    ini.write(L"A", L"j", L"é");
    ini.write(L"B", L"k", L"😀");
    EXPECT_EQ(store.file(), "\xFF\xFE" + *ini::encode_utf16(L"[A]\r\nk=1\r\nj=é\r\n[B]\r\nk=😀\r\n", false));

    store.file() = "\xFE\xFF" + *ini::encode_utf16(L"[A]\rk=1\rj=2\r", true);
    ini.write(L"A", L"k", L"é");
    ini.write(L"A", L"m", L"3");
    EXPECT_EQ(store.file(), "\xFE\xFF" + *ini::encode_utf16(L"[A]\rk=é\rj=2\rm=3\r", true));

    store.file() = "\xEF\xBB\xBF[A]\r\n";
    ini.write(L"a", L"k", L"画像");
    EXPECT_EQ(store.file(), "\xEF\xBB\xBF[A]\r\nk=" + *ini::Utf8Codec().encode(L"画像") + "\r\n");
}

// A file cut short in the middle of a character: what is written after it must still be in step.
TEST_F(IniFileTest, AUnicodeFileEndingInHalfACharacterStillTakesWrites) {
    for (const bool big_endian : {false, true}) {
        SCOPED_TRACE(big_endian);
        store.file() = (big_endian ? "\xFE\xFF" : "\xFF\xFE") + *ini::encode_utf16(L"[A]\r\nk=1", big_endian) + "\x41";
        ini.write(L"B", L"k", L"2");
        ini.write(L"A", L"j", L"3");
        EXPECT_EQ(ini.read(L"A", L"k", L""), L"1");
        EXPECT_EQ(ini.read(L"A", L"j", L""), L"3");
        EXPECT_EQ(ini.read(L"B", L"k", L""), L"2");
    }
}

TEST_F(IniFileTest, SeveralKeysGoInOneReplacement) {
    const ini::IniEntry entries[] = {{L"x", L"1"}, {L"y", L"2"}, {L"x", L"3"}};
    ini.write(L"A", entries);
    EXPECT_EQ(text(), L"[A]\r\nx=3\r\ny=2\r\n");
    EXPECT_EQ(store.disk.replacements, 1);
    const ini::IniSectionEntries sections[] = {{L"B", {{L"z", L"4"}}}, {L"a", {{L"y", L"5"}}}};
    ini.write(sections);
    EXPECT_EQ(text(), L"[A]\r\nx=3\r\ny=5\r\n[B]\r\nz=4\r\n");
    EXPECT_EQ(store.disk.replacements, 2);
}

// On a Western system the program's own Japanese font names have no form in the code page.
TEST_F(IniFileTest, ValuesOutsideTheCodePageTurnTheFileIntoUnicode) {
    settings::testing::Latin1Codec western;
    const IniFile file(store.files, western, store.path);
    const std::string user_lines = "; r\xE9glages\r\n[Mine]\r\nk=\x95\\\x8E\xA6\r\n";  // Shift-JIS read as Latin-1
    store.file() = user_lines + "[Design]\r\nGaugeBackColor=clWhite\r\n";
    file.write(L"Design", L"GaugeFont_FontName", L"ＭＳ Ｐゴシック");
    const std::wstring expected = western.decode(user_lines) +
                                  L"[Design]\r\nGaugeBackColor=clWhite\r\nGaugeFont_FontName=ＭＳ Ｐゴシック\r\n";
    EXPECT_EQ(store.file(), "\xFF\xFE" + *encode_utf16(expected, false));
    EXPECT_EQ(file.read(L"Design", L"GaugeFont_FontName", L""), L"ＭＳ Ｐゴシック");
    EXPECT_EQ(file.read(L"mine", L"K", L""), western.decode("\x95\\\x8E\xA6"));
    file.write(L"Design", L"WD", L"1");
    EXPECT_EQ(file.read(L"Design", L"WD", L""), L"1");
    EXPECT_EQ(store.file().substr(0, 2), "\xFF\xFE") << "a Unicode file stays Unicode";

    store.disk.files.clear();
    file.write(L"Design", L"BackImage", L"C:\\画像\\back.bmp");
    EXPECT_EQ(store.file(), "\xFF\xFE" + *encode_utf16(L"[Design]\r\nBackImage=C:\\画像\\back.bmp\r\n", false));
    // What the code page holds stays in it.
    store.disk.files.clear();
    file.write(L"Design", L"BackImage", L"C:\\café.bmp");
    EXPECT_EQ(store.file(), "[Design]\r\nBackImage=C:\\caf\xE9.bmp\r\n");
}

TEST_F(IniFileTest, RefusedWritesLeaveTheFileAsItWas) {
    struct Refusal {
        const char* name;
        std::wstring section, key, value;
    };
    const Refusal refusals[] = {
        {"line break in a value", L"A", L"k", L"1\r\n[B]\r\nx=2"},
        {"line feed in a value", L"A", L"k", L"1\nx=2"},
        {"NUL in a value", L"A", L"k", std::wstring(L"1\0" L"2", 3)},
        {"equals in a key", L"A", L"a=b", L"1"},
        {"key read as a header", L"A", L"[x]", L"1"},
        {"blank key", L"A", L"  ", L"1"},
        {"blank section", L" ", L"k", L"1"},
        {"line break in a section", L"A\r\n[B", L"k", L"1"},
        {"half of a surrogate pair", L"A", L"k", std::wstring(1, wchar_t(0xD800))},
    };
    const std::string before = *store.ansi.encode(L"[A]\r\nk=0\r\n");
    for (const auto& r : refusals) {
        store.file() = before;
        try {
            ini.write(r.section, r.key, r.value);
            ADD_FAILURE() << r.name << ": no error";
        } catch (const AppError& e) {
            EXPECT_EQ(e.text(), L"C:\\app\\Quorvane.ini に書き込めません") << r.name;
        }
        EXPECT_EQ(store.file(), before) << r.name;
    }
    // A batch with one bad entry writes none of them.
    const ini::IniEntry entries[] = {{L"x", L"1"}, {L"y", L"bad\n"}};
    EXPECT_THROW(ini.write(L"A", entries), AppError);
    EXPECT_EQ(store.file(), before);
}

TEST_F(IniFileTest, FailuresOfTheFileSystemLeaveTheOldFile) {
    enum Failure { unreadable, no_temporary, torn_write, read_only, replace_fails };
    for (Failure failure : {unreadable, no_temporary, torn_write, read_only, replace_fails}) {
        MemoryStore fresh;
        ini::IniFile file(fresh.files, fresh.ansi, fresh.path);
        fresh.file() = "[A]\r\nk=0\r\n";
        fresh.disk.unreadable = failure == unreadable ? std::set{fresh.path} : std::set<std::wstring>{};
        fresh.disk.refuse_temporary = failure == no_temporary;
        fresh.disk.fail_write_all = failure == torn_write;
        fresh.disk.read_only = failure == read_only ? std::set{fresh.path} : std::set<std::wstring>{};
        fresh.disk.fail_replace = failure == replace_fails;
        EXPECT_THROW(file.write(L"A", L"k", L"1"), AppError) << failure;
        EXPECT_EQ(fresh.file(), "[A]\r\nk=0\r\n") << failure;
        EXPECT_EQ(fresh.disk.files.size(), 1u) << "temporary file left behind, failure " << failure;
    }
}

TEST_F(IniFileTest, WritingTheValueAlreadyThereNeedsNoWrite) {
    put(L"[A]\r\nk=1\r\n");
    store.disk.read_only.insert(store.path);
    EXPECT_NO_THROW(ini.write(L"a", L"K", L"1"));
    EXPECT_EQ(store.disk.replacements, 0);
    EXPECT_THROW(ini.write(L"a", L"K", L"2"), AppError);
}

// Random writes of a few keys in a few spellings: every key then reads as the value last written to it,
// whatever spelling wrote it, and no section header appears twice.
TEST_F(IniFileTest, RandomWritesReadBackAsLastWritten) {
    std::mt19937 random(20240611);
    const std::wstring sections[] = {L"Clean", L"CLEAN", L"window", L"表示"};
    const std::wstring keys[] = {L"a", L"A", L"b", L"ソフト", L"c"};
    for (int round = 0; round < 50; ++round) {
        store.disk.files.clear();
        std::map<std::pair<std::wstring, std::wstring>, std::wstring> model;
        for (int op = 0; op < 30; ++op) {
            const std::wstring& section = sections[random() % 4];
            const std::wstring& key = keys[random() % 5];
            const std::wstring value = std::to_wstring(random() % 1000);
            ini.write(section, key, value);
            model[{ascii_uppercase(section), ascii_uppercase(key)}] = value;
        }
        for (const auto& [name, value] : model) ASSERT_EQ(ini.read(name.first, name.second, L"?"), value);
        const std::wstring file = ascii_uppercase(text());
        for (const auto& header : {L"[CLEAN]", L"[WINDOW]", L"[表示]"}) {
            const auto first = file.find(header);
            EXPECT_TRUE(first == file.npos || file.find(header, first + 1) == file.npos);
        }
    }
}

} // namespace
} // namespace qv::ini
