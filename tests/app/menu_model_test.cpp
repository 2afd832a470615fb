#include "app/menu_model.h"

#include <gtest/gtest.h>

namespace qv::app {
namespace {

TEST(PercentItems, AmountsMultiplyFirstAndRoundDown) {
    struct Case { int tenths; long long total_mb; long long amount; const wchar_t* caption; };
    const Case cases[] = {
        {3, 256, 76, L"30%(76MB)"},     {5, 256, 128, L"50%(128MB)"}, {9, 256, 230, L"90%(230MB)"},
        {10, 2048, 2048, L"100%(2048MB)"},  // the optimizer cuts the run, the caption shows the share
        {1, 9, 0, L"10%(0MB)"},         {4, 23971, 9588, L"40%(9588MB)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(percent_amount(c.tenths, c.total_mb), c.amount) << c.tenths << " of " << c.total_mb;
        EXPECT_EQ(percent_caption(c.tenths, c.total_mb), c.caption);
    }
    EXPECT_EQ(configured_value_caption(5992), L"設定値(5992MB)");
}

TEST(PercentItems, BothMenusMapToTheSameShares) {
    for (int tenths = 1; tenths <= kPercentItems; ++tenths) {
        EXPECT_EQ(percent_item_tenths(tray_percent_item(tenths)), tenths);
        EXPECT_EQ(percent_item_tenths(window_percent_item(tenths)), tenths);
    }
    EXPECT_EQ(percent_item_tenths(MenuId::Ns), std::nullopt);
    EXPECT_EQ(percent_item_tenths(MenuId::Ns2), std::nullopt);
    EXPECT_EQ(percent_item_tenths(MenuId::N9), std::nullopt);
}

TEST(MenuModel, TrayMenuHoldsItsItemsInOrder) {
    auto menu = make_tray_menu();
    std::vector<std::wstring> top;
    for (const auto& entry : menu.items()) top.push_back(entry.is_separator() ? L"-" : entry.caption);
    const std::vector<std::wstring> expected = {
        L"システム リソース", L"User リソース", L"GDI リソース", L"CPU 使用率", L"空きメモリ(%)", L"なし", L"-",
        L"メモリの最適化", L"-", L"アイコンの追加", L"監視の一時停止", L"クリップボード初期化", L"スキン",
        L"ウインドウの表示", L"設定", L"-", L"ヘルプ", L"バージョン情報", L"-", L"終了"};
    EXPECT_EQ(top, expected);
    const auto* optimize = menu.find(MenuId::N4);
    ASSERT_NE(optimize, nullptr);
    ASSERT_EQ(optimize->children.size(), 11u);
    EXPECT_EQ(optimize->children.front().id, MenuId::N10);
    EXPECT_EQ(optimize->children.back().caption, L"設定値");
    // The skin submenu exists but is filled only when it opens; it must not read as a separator.
    EXPECT_FALSE(menu.find(MenuId::NSkin)->is_separator());
}

TEST(MenuModel, ExclusiveCheckTouchesOnlyItsGroup) {
    auto menu = make_tray_menu();
    menu.set_checked(MenuId::N8, true);  // paused
    menu.check_exclusive(kTrayKindItems, MenuId::Ncpu);
    menu.check_exclusive(kTrayKindItems, MenuId::Nnothing);
    EXPECT_TRUE(menu.is_checked(MenuId::Nnothing));
    EXPECT_FALSE(menu.is_checked(MenuId::Ncpu));
    EXPECT_TRUE(menu.is_checked(MenuId::N8));
    menu.check_exclusive(kTrayKindItems, MenuId::None);  // an unknown kind checks none
    for (MenuId id : kTrayKindItems) EXPECT_FALSE(menu.is_checked(id));
    menu.set_caption(MenuId::Ns, configured_value_caption(64));
    EXPECT_EQ(menu.find(MenuId::Ns)->caption, L"設定値(64MB)");
}

TEST(MenuModel, KindItemsRoundTrip) {
    for (int kind = 1; kind <= 6; ++kind) EXPECT_EQ(tray_item_kind(tray_kind_item(kind)), kind);
    EXPECT_EQ(tray_kind_item(0), MenuId::None);
    EXPECT_EQ(tray_kind_item(7), MenuId::None);
}

} // namespace
} // namespace qv::app
