#include "app/skin_menu.h"

#include <gtest/gtest.h>

namespace qv::app {
namespace {

const std::wstring kSkins = L"C:\\Q\\skin\\";

TEST(SkinMenu, ListsSkinFoldersNewestFirstAndChecksTheExactPath) {
    const std::vector<SkinFolderEntry> listing = {
        {L".", true, std::nullopt},
        {L"..", true, std::nullopt},
        {L"Blue", true, L"blue.qvs"},
        {L"notes.txt", false, std::nullopt},
        {L"Empty", true, std::nullopt},  // no description file: not a skin
        {L"Red", true, L"red.v2.qvs"},
    };
    auto entries = skin_menu_entries(kSkins, listing, L"C:\\Q\\skin\\Blue\\blue.qvs");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].caption, L"red.v2");
    EXPECT_EQ(entries[0].path, L"C:\\Q\\skin\\Red\\red.v2.qvs");
    EXPECT_FALSE(entries[0].checked);
    EXPECT_EQ(entries[1].caption, L"blue");
    EXPECT_TRUE(entries[1].checked);

    // Only the exact spelling is the skin in force.
    entries = skin_menu_entries(kSkins, listing, L"C:\\Q\\skin\\BLUE\\blue.qvs");
    EXPECT_FALSE(entries[1].checked);
    EXPECT_TRUE(skin_menu_entries(kSkins, {}, L"").empty());
}

TEST(SkinMenu, ClickingSwitchesTheSkinOnOrBackToTheDefaultDesign) {
    const SkinMenuEntry blue{L"blue", L"C:\\skin\\Blue\\blue.qvs", false};
    SkinChoice on = choose_skin(blue, L"");
    EXPECT_TRUE(on.checked);
    EXPECT_EQ(on.skin_file_name, blue.path);
    EXPECT_TRUE(on.changes_design);

    // The checked entry again: off, and the default design returns.
    const SkinMenuEntry checked{L"blue", blue.path, true};
    SkinChoice off = choose_skin(checked, blue.path);
    EXPECT_FALSE(off.checked);
    EXPECT_EQ(off.skin_file_name, L"");
    EXPECT_TRUE(off.changes_design);

    // The window is already built for that skin: only the setting changes.
    EXPECT_FALSE(choose_skin(blue, blue.path).changes_design);
}

} // namespace
} // namespace qv::app
