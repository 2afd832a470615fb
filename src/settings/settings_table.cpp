#include "settings/settings_table.h"

#include "settings/setting_items.h"

namespace qv::settings {
namespace {

constexpr wchar_t ascii_upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; }

constexpr bool same_name(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (ascii_upper(a[i]) != ascii_upper(b[i])) return false;
    }
    return true;
}

// The store finds an item by its name without regard to case, the first match winning: two names
// alike but for case would send one definition to the other's key.
constexpr bool names_distinct() {
    for (size_t i = 0; i < kItemTable.size(); ++i) {
        for (size_t j = i + 1; j < kItemTable.size(); ++j) {
            if (same_name(kItemTable[i].name, kItemTable[j].name)) return false;
        }
    }
    return true;
}
static_assert(names_distinct());

} // namespace

TRegItems main_store_items() {
    std::vector<TRegItem> items;
    items.reserve(kItemTable.size());
    for (const ItemRow& row : kItemTable) {
        items.push_back({std::wstring(row.name), std::wstring(row.section), std::wstring(row.ident),
                         std::wstring(row.default_value)});
    }
    return TRegItems(std::move(items));
}

TRegManager make_main_store(const StoreServices& services) {
    return TRegManager(services, main_store_items(), TRegType::rtIni);
}

} // namespace qv::settings
