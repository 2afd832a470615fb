#include "app/menu_model.h"

namespace qv::app {
namespace {

MenuItem item(MenuId id, std::wstring caption) { return MenuItem{id, std::move(caption), false, {}}; }
MenuItem separator() { return MenuItem{}; }
MenuItem submenu(MenuId id, std::wstring caption, std::vector<MenuItem> children) {
    return MenuItem{id, std::move(caption), false, std::move(children)};
}

const wchar_t* const kKindCaptions[] = {L"システム リソース", L"User リソース", L"GDI リソース", L"CPU 使用率",
                                        L"空きメモリ(%)"};

std::vector<MenuItem> optimize_items(MenuId first_percent, MenuId configured) {
    std::vector<MenuItem> items;
    for (int tenths = 1; tenths <= kPercentItems; ++tenths) {
        auto id = static_cast<MenuId>(static_cast<int>(first_percent) + tenths - 1);
        items.push_back(item(id, std::to_wstring(tenths * 10) + L"%"));
    }
    items.push_back(item(configured, L"設定値"));
    return items;
}

template <typename Items>
auto* find_in(Items& items, MenuId id) {
    for (auto& entry : items) {
        if (entry.id == id && id != MenuId::None) return &entry;
        if (auto* found = find_in(entry.children, id)) return found;
    }
    return static_cast<decltype(&items[0])>(nullptr);
}

} // namespace

MenuItem* MenuModel::find(MenuId id) { return find_in(items_, id); }
const MenuItem* MenuModel::find(MenuId id) const { return find_in(items_, id); }

void MenuModel::set_caption(MenuId id, std::wstring caption) {
    if (auto* entry = find(id)) entry->caption = std::move(caption);
}

void MenuModel::set_checked(MenuId id, bool checked) {
    if (auto* entry = find(id)) entry->checked = checked;
}

bool MenuModel::is_checked(MenuId id) const {
    const auto* entry = find(id);
    return entry && entry->checked;
}

void MenuModel::check_exclusive(std::initializer_list<MenuId> group, MenuId chosen) {
    for (MenuId id : group) set_checked(id, id == chosen);
}

MenuModel make_tray_menu() {
    std::vector<MenuItem> items;
    for (int kind = 1; kind <= 5; ++kind) items.push_back(item(tray_kind_item(kind), kKindCaptions[kind - 1]));
    items.push_back(item(MenuId::Nnothing, L"なし"));
    items.push_back(separator());  // N3
    items.push_back(submenu(MenuId::N4, L"メモリの最適化", optimize_items(MenuId::N10, MenuId::Ns)));
    items.push_back(separator());  // N5
    std::vector<MenuItem> add_items;
    for (int kind = 1; kind <= 5; ++kind) {
        add_items.push_back(item(static_cast<MenuId>(static_cast<int>(MenuId::NAddSys) + kind - 1),
                                 kKindCaptions[kind - 1]));
    }
    items.push_back(submenu(MenuId::N12, L"アイコンの追加", std::move(add_items)));
    items.push_back(item(MenuId::N8, L"監視の一時停止"));
    items.push_back(item(MenuId::N13, L"クリップボード初期化"));
    items.push_back(submenu(MenuId::NSkin, L"スキン", {}));
    items.push_back(item(MenuId::Nwindow, L"ウインドウの表示"));
    items.push_back(item(MenuId::Nset, L"設定"));
    items.push_back(separator());  // N6
    items.push_back(item(MenuId::Help1, L"ヘルプ"));
    items.push_back(item(MenuId::About1, L"バージョン情報"));
    items.push_back(separator());  // N1
    items.push_back(item(MenuId::Exit1, L"終了"));
    return MenuModel(std::move(items));
}

MenuModel make_window_menu() {
    std::vector<MenuItem> items;
    items.push_back(submenu(MenuId::N2, L"メモリの最適化", optimize_items(MenuId::N101, MenuId::Ns2)));
    items.push_back(separator());  // NLine1
    items.push_back(item(MenuId::N9, L"監視の一時停止"));
    items.push_back(item(MenuId::NTop, L"常にトップに表示する"));
    items.push_back(item(MenuId::N14, L"クリップボード初期化"));
    items.push_back(submenu(MenuId::NSkin2, L"スキン", {}));
    items.push_back(item(MenuId::Nset2, L"設定"));
    items.push_back(separator());  // N7
    items.push_back(item(MenuId::Help2, L"ヘルプ"));
    items.push_back(item(MenuId::About2, L"バージョン情報"));
    items.push_back(separator());  // N11
    items.push_back(item(MenuId::Exit2, L"終了"));
    return MenuModel(std::move(items));
}

MenuModel make_icon_menu() {
    std::vector<MenuItem> items;
    for (int kind = 1; kind <= 5; ++kind) {
        items.push_back(item(static_cast<MenuId>(static_cast<int>(MenuId::NSys2) + kind - 1), kKindCaptions[kind - 1]));
    }
    items.push_back(separator());  // N15
    items.push_back(item(MenuId::NDel, L"アイコンの削除"));
    return MenuModel(std::move(items));
}

MenuId tray_percent_item(int tenths) { return static_cast<MenuId>(static_cast<int>(MenuId::N10) + tenths - 1); }
MenuId window_percent_item(int tenths) { return static_cast<MenuId>(static_cast<int>(MenuId::N101) + tenths - 1); }

std::optional<int> percent_item_tenths(MenuId id) {
    int value = static_cast<int>(id);
    for (MenuId first : {MenuId::N10, MenuId::N101}) {
        int offset = value - static_cast<int>(first);
        if (offset >= 0 && offset < kPercentItems) return offset + 1;
    }
    return std::nullopt;
}

long long percent_amount(int tenths, long long total_mb) {
    // Multiplication first, then division toward zero: 30 % of 256 MB is 76 MB.
    return total_mb * tenths / 10;
}

std::wstring percent_caption(int tenths, long long total_mb) {
    return std::to_wstring(tenths * 10) + L"%(" + std::to_wstring(percent_amount(tenths, total_mb)) + L"MB)";
}

std::wstring configured_value_caption(long long clean_value) {
    return L"設定値(" + std::to_wstring(clean_value) + L"MB)";
}

MenuId tray_kind_item(int kind) {
    if (kind < 1 || kind > 6) return MenuId::None;
    return static_cast<MenuId>(static_cast<int>(MenuId::Nsys) + kind - 1);
}

std::optional<int> tray_item_kind(MenuId id) {
    int offset = static_cast<int>(id) - static_cast<int>(MenuId::Nsys);
    if (offset >= 0 && offset < 6) return offset + 1;
    return std::nullopt;
}

} // namespace qv::app
