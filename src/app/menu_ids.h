#pragma once
// Command identifiers of the main window's menu items (the WM_COMMAND ids). Other programs and the
// end-to-end tests use them too, so the values are fixed.
namespace qv::app {

enum class MenuId : unsigned short {
    None = 0,
    // PopupMenu1, the tray icon menu.
    Nsys = 101, Nuser, Ngdi, Ncpu, Nmemory, Nnothing,
    N4 = 110,  // "メモリの最適化" submenu
    N10 = 111, N20, N30, N40, N50, N60, N70, N80, N90, N100, Ns,
    N12 = 130,  // "アイコンの追加" submenu
    NAddSys = 131, NAddUser, NAddGDI, NAddCPU, NAddMem,
    N8 = 140, N13, NSkin, Nwindow, Nset, Help1, About1, Exit1,
    // PopupMenu2, the window's context menu.
    N2 = 210,  // "メモリの最適化" submenu
    N101 = 211, N201, N301, N401, N501, N601, N701, N801, N901, N1001, Ns2,
    N9 = 240, NTop, N14, NSkin2, Nset2, Help2, About2, Exit2,
    // PopupMenu3, the menu of every additional tray icon.
    NSys2 = 301, NUser2, NGDI2, NCPU2, NMemory2, NDel,
    // Entries of the skin submenus are numbered from here on.
    FirstSkinEntry = 1000,
};

} // namespace qv::app
