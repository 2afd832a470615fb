// The main tray icon and the four indicator icons: their metric kinds, colours and numbers.
#include "app/win32/main_window.h"

#include "app/app_info.h"
#include "app/win32/resources/resource_ids.h"
#include "base/win32/display_scale.h"
#include "base/win32/error_report.h"

namespace qv::app {

COLORREF resolve_color(unsigned color);

namespace {

HICON application_icon(int size) {
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUORVANE), IMAGE_ICON,
                                           size, size, LR_DEFAULTCOLOR));
}

} // namespace

void MainWindow::create_main_tray_icon() {
    TrayIcon1 = std::make_unique<desktop::TCoolTrayIcon>(handle());
    TrayIcon1->SetCycleInterval(1000);
    TrayIcon1->SetShowHint(true);
    TrayIcon1->SetHint(kAppTitle);
    TrayIcon1->PopupMenu = tray_menu_.get();
    TrayIcon1->StartMinimized = true;
    TrayIcon1->OnClick = [this](desktop::TCoolTrayIcon&) { TrayIcon1Click(); };
    TrayIcon1->OnMouseMove = [this](desktop::TCoolTrayIcon&, unsigned, int, int) { TrayIcon1MouseMove(); };
    win::UniqueIcon icon(application_icon(tray_icon_size()));
    TrayIcon1->SetIcon(std::move(icon));
    // Starting minimized: the window is shown only when the start-up sequence asks for it.
    show_at_start_ = !TrayIcon1->StartMinimized;
    TrayIcon1->Loaded();
}

void MainWindow::create_tray_drawing_surface() {
    try {
        icon_painter_ = std::make_unique<IconNumberPainter>(win::small_icon_size(win::shell_dpi(handle())));
    } catch (const AppError& error) {
        show_error_box(error.text().c_str());
        icon_painter_.reset();
        terminate();
    }
}

void MainWindow::LoadIconColors() {
    for (size_t kind = 1; kind <= 5; ++kind) {
        IconTextColors[kind] = RM.Filer(items::kIconTextColors[kind - 1]).ReadColor();
        IconBackColors[kind] = RM.Filer(items::kIconBackColors[kind - 1]).ReadColor();
    }
}

bool MainWindow::DrawIconNumber(int number, desktop::TCoolTrayIcon& icon, int kind) {
    if (!icon_painter_) return false;
    const size_t k = (kind >= 1 && kind <= 6) ? static_cast<size_t>(kind) : 6;
    // When the system makes no icon the tray keeps the last number.
    return icon.SetIcon(icon_painter_->draw(number, resolve_color(IconTextColors[k]), resolve_color(IconBackColors[k])));
}

void MainWindow::show_application_icon() { TrayIcon1->SetIcon(win::UniqueIcon(application_icon(tray_icon_size()))); }

int MainWindow::tray_icon_size() const {
    return icon_painter_ ? icon_painter_->size() : win::small_icon_size(win::shell_dpi(handle()));
}

void MainWindow::follow_display_scale(int dpi) {
    // Without a drawing surface (start-up could not make one) there are no numbers to draw.
    if (!icon_painter_) return;
    const int size = win::small_icon_size(dpi);
    if (size == icon_painter_->size()) return;
    try {
        icon_painter_ = std::make_unique<IconNumberPainter>(size);
    } catch (const AppError&) {
        return;  // the icons keep the size they have
    }
    if (icon_kind_[0] == 6) show_application_icon();
    // The numbers shown are drawn again at the new size at once (also while monitoring is paused); one
    // that cannot be drawn now is drawn at the next refresh.
    auto redraw = [this](desktop::TCoolTrayIcon& icon, size_t entry, int kind) {
        const int shown = state_.LastShown[entry];
        if (shown >= 0 && !DrawIconNumber(shown, icon, kind)) state_.LastShown[entry] = kForceRedraw;
    };
    if (icon_kind_[0] != 6) redraw(*TrayIcon1, 0, icon_kind_[0]);
    for (size_t slot = 1; slot <= AddIcons.size(); ++slot) {
        auto& icon = AddIcons[slot - 1];
        if (icon && icon->IconVisible()) redraw(*icon, slot, icon_kind_[slot]);
    }
}

void MainWindow::choose_main_kind(int kind) {
    PopupMenu1.check_exclusive(kTrayKindItems, tray_kind_item(kind));
    RM.Filer(items::IconMenu).WriteInteger(kind);
    icon_kind_[0] = kind;
    if (kind == 6) {
        show_application_icon();
        return;
    }
    state_.LastShown[0] = kForceRedraw;
    if (!monitoring_paused()) SystemProbe.Refresh();
}

IndicatorSlots MainWindow::slots() const {
    IndicatorSlots result;
    for (size_t i = 0; i < AddIcons.size(); ++i) {
        const auto& icon = AddIcons[i];
        result.state[i] = !icon ? SlotState::Empty : icon->IconVisible() ? SlotState::Visible : SlotState::Parked;
        result.kind[i] = icon_kind_[i + 1];
    }
    return result;
}

void MainWindow::AddIndicatorIcon(int kind) {
    const auto slot = slots().slot_for_new_icon();
    if (!slot) {
        ::MessageBoxW(handle(), L"これ以上アイコンを増やせません", L"警告", MB_OK | MB_ICONERROR);
        return;
    }
    auto& icon = AddIcons[static_cast<size_t>(*slot - 1)];
    if (!icon) {
        icon = std::make_unique<desktop::TCoolTrayIcon>(handle());
        icon->SetIcon(win::UniqueIcon(application_icon(tray_icon_size())));
        icon->PopupMenu = icon_menu_.get();
        const int chosen = *slot;
        icon->OnMouseDown = [this, chosen](desktop::TCoolTrayIcon&, desktop::MouseButton, unsigned, int, int) {
            state_.CurrentAddIcon = chosen;
        };
        icon->OnClick = [this](desktop::TCoolTrayIcon&) { TrayIcon1Click(); };
        icon->SetShowHint(true);
        icon_kind_[static_cast<size_t>(*slot)] = 0;
        icon->Loaded();
    } else {
        icon->SetIconVisible(true);
        icon->SetEnabled(true);
    }
    state_.CurrentAddIcon = *slot;
    state_.LastShown[static_cast<size_t>(*slot)] = kForceRedraw;
    change_indicator_kind(kind);
}

void MainWindow::change_indicator_kind(int kind) {
    const int slot = state_.CurrentAddIcon;
    auto& icon = AddIcons[static_cast<size_t>(slot - 1)];
    if (!icon) return;
    icon_kind_[static_cast<size_t>(slot)] = kind;
    icon->SetHint(indicator_hint(kind));
    RM.Filer(items::AIcons).WriteString(with_slot_digit(RM.Filer(items::AIcons).ReadString(), slot, kind));
    state_.LastShown[static_cast<size_t>(slot)] = kForceRedraw;
    if (!monitoring_paused()) SystemProbe.Refresh();
}

void MainWindow::remove_indicator_icon() {
    const int slot = state_.CurrentAddIcon;
    const RemoveAction action = remove_action(slots(), slot);
    if (action == RemoveAction::Nothing) return;
    auto& icon = AddIcons[static_cast<size_t>(slot - 1)];
    if (icon) {
        icon->SetIconVisible(false);
        if (action == RemoveAction::Free) {
            icon.reset();
            icon_kind_[static_cast<size_t>(slot)] = 0;
        } else {
            icon->SetEnabled(false);
        }
    }
    RM.Filer(items::AIcons).WriteString(with_slot_digit(RM.Filer(items::AIcons).ReadString(), slot, 0));
}

void MainWindow::restore_indicator_icons() {
    // Every saved icon comes back once, into the lowest free slot; AIcons then describes the icons
    // as shown (a gap such as 0300 closes up to 3000).
    const auto kinds = kinds_to_restore(RM.Filer(items::AIcons).ReadString());
    for (int kind : kinds) AddIndicatorIcon(kind);
    const auto described = describe_slots(slots());
    if (RM.Filer(items::AIcons).ReadString() != described && !kinds.empty()) {
        RM.Filer(items::AIcons).WriteString(described);
    }
}

void MainWindow::PopupMenu3Popup() {
    const int kind = icon_kind_[static_cast<size_t>(state_.CurrentAddIcon)];
    const std::initializer_list<MenuId> items = {MenuId::NSys2, MenuId::NUser2, MenuId::NGDI2, MenuId::NCPU2,
                                                 MenuId::NMemory2, MenuId::NDel};
    const MenuId chosen = (kind >= 1 && kind <= 5) ? static_cast<MenuId>(static_cast<int>(MenuId::NSys2) + kind - 1)
                                                   : MenuId::None;
    PopupMenu3.check_exclusive(items, chosen);
}

} // namespace qv::app
