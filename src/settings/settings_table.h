#pragma once
// The main window's store, made from the item table of settings/setting_items.h.
#include "settings/reg_manager.h"

namespace qv::settings {

// The 52 items, in table order.
TRegItems main_store_items();

// The main window's store (RM): the item table, INI mode, no registry key. IniFileName is set by the
// caller before the first read.
TRegManager make_main_store(const StoreServices& services);

} // namespace qv::settings
