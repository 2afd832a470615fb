#include "app/win32/tray_icons.h"

#include "app/app_info.h"
#include "app/win32/resources/resource_ids.h"
#include "base/win32/display_scale.h"
#include "base/win32/error_report.h"
#include "settings/setting_items.h"

namespace qv::app {
namespace {

namespace items = settings::items;

HICON application_icon(int size) {
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUORVANE), IMAGE_ICON,
                                           size, size, LR_DEFAULTCOLOR));
}

COLORREF resolve_color(unsigned color) {
    // System colours carry their index in the low byte and the top bit set.
    if (color & 0x80000000u) return ::GetSysColor(static_cast<int>(color & 0xFFu));
    return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

} // namespace

TrayIcons::TrayIcons(HWND window, settings::TRegManager& settings, MainState& state, MenuModel& tray_menu,
                     MenuModel& icon_menu, TrayIconEvents events)
    : window_(window), RM(settings), state_(state), PopupMenu1(tray_menu), PopupMenu3(icon_menu),
      events_(std::move(events)), tray_menu_(window, tray_menu), icon_menu_(window, icon_menu) {
    PopupMenu3.OnPopup = [this] { PopupMenu3Popup(); };
    create_main_tray_icon();
}

void TrayIcons::create_main_tray_icon() {
    TrayIcon1 = std::make_unique<desktop::TCoolTrayIcon>(window_);
    TrayIcon1->SetCycleInterval(1000);
    TrayIcon1->SetShowHint(true);
    TrayIcon1->SetHint(kAppTitle);
    TrayIcon1->PopupMenu = &tray_menu_;
    TrayIcon1->StartMinimized = true;
    TrayIcon1->OnClick = [this](desktop::TCoolTrayIcon&) { events_.click(); };
    TrayIcon1->OnMouseMove = [this](desktop::TCoolTrayIcon&, unsigned, int, int) { events_.mouse_move(); };
    win::UniqueIcon icon(application_icon(tray_icon_size()));
    TrayIcon1->SetIcon(std::move(icon));
    TrayIcon1->Loaded();
}

void TrayIcons::read_main_kind() { icon_kind_[0] = RM.Filer(items::IconMenu).ReadInteger(); }

void TrayIcons::create_drawing_surface() {
    icon_painter_.reset();
    icon_painter_ = std::make_unique<IconNumberPainter>(win::small_icon_size(win::shell_dpi(window_)));
}

void TrayIcons::drop_indicator_icons() {
    for (auto& icon : AddIcons) icon.reset();
}

void TrayIcons::LoadIconColors() {
    for (size_t kind = 1; kind <= 5; ++kind) {
        IconTextColors[kind] = RM.Filer(items::kIconTextColors[kind - 1]).ReadColor();
        IconBackColors[kind] = RM.Filer(items::kIconBackColors[kind - 1]).ReadColor();
    }
}

bool TrayIcons::DrawIconNumber(int number, desktop::TCoolTrayIcon& icon, int kind) {
    if (!icon_painter_) return false;
    const size_t k = (kind >= 1 && kind <= 6) ? static_cast<size_t>(kind) : 6;
    // When the system makes no icon the tray keeps the last number.
    return icon.SetIcon(icon_painter_->draw(number, resolve_color(IconTextColors[k]), resolve_color(IconBackColors[k])));
}

void TrayIcons::show_numbers(const DisplayFigures& figures) {
    // The main icon follows the checked metric item; "なし" leaves the program's own icon.
    int main_value = -1;
    for (MenuId item : kTrayKindItems) {
        if (PopupMenu1.is_checked(item)) main_value = metric_value(*tray_item_kind(item), figures);
    }
    // A number that could not be drawn is tried again at the next refresh.
    if (needs_redraw(main_value, state_.LastShown[0]) && DrawIconNumber(main_value, *TrayIcon1, icon_kind_[0])) {
        state_.LastShown[0] = main_value;
    }
    for (int slot = 1; slot <= kIndicatorSlots; ++slot) {
        auto& icon = AddIcons[static_cast<size_t>(slot - 1)];
        if (!icon || !icon->IconVisible()) continue;
        const int kind = icon_kind_[static_cast<size_t>(slot)];
        const int value = metric_value(kind, figures);
        if (needs_redraw(value, state_.LastShown[static_cast<size_t>(slot)]) && DrawIconNumber(value, *icon, kind)) {
            state_.LastShown[static_cast<size_t>(slot)] = value;
        }
    }
}

void TrayIcons::show_application_icon() { TrayIcon1->SetIcon(win::UniqueIcon(application_icon(tray_icon_size()))); }

int TrayIcons::tray_icon_size() const {
    return icon_painter_ ? icon_painter_->size() : win::small_icon_size(win::shell_dpi(window_));
}

void TrayIcons::follow_display_scale(int dpi) {
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

void TrayIcons::choose_main_kind(int kind) {
    PopupMenu1.check_exclusive(kTrayKindItems, tray_kind_item(kind));
    RM.Filer(items::IconMenu).WriteInteger(kind);
    icon_kind_[0] = kind;
    if (kind == 6) {
        show_application_icon();
        return;
    }
    state_.LastShown[0] = kForceRedraw;
    events_.refresh();
}

IndicatorSlots TrayIcons::slots() const {
    IndicatorSlots result;
    for (size_t i = 0; i < AddIcons.size(); ++i) {
        const auto& icon = AddIcons[i];
        result.state[i] = !icon ? SlotState::Empty : icon->IconVisible() ? SlotState::Visible : SlotState::Parked;
        result.kind[i] = icon_kind_[i + 1];
    }
    return result;
}

void TrayIcons::AddIndicatorIcon(int kind) {
    const auto slot = slots().slot_for_new_icon();
    if (!slot) {
        ::MessageBoxW(window_, L"これ以上アイコンを増やせません", L"警告", MB_OK | MB_ICONERROR);
        return;
    }
    auto& icon = AddIcons[static_cast<size_t>(*slot - 1)];
    if (!icon) {
        icon = std::make_unique<desktop::TCoolTrayIcon>(window_);
        icon->SetIcon(win::UniqueIcon(application_icon(tray_icon_size())));
        icon->PopupMenu = &icon_menu_;
        const int chosen = *slot;
        icon->OnMouseDown = [this, chosen](desktop::TCoolTrayIcon&, desktop::MouseButton, unsigned, int, int) {
            state_.CurrentAddIcon = chosen;
        };
        icon->OnClick = [this](desktop::TCoolTrayIcon&) { events_.click(); };
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

void TrayIcons::change_indicator_kind(int kind) {
    const int slot = state_.CurrentAddIcon;
    auto& icon = AddIcons[static_cast<size_t>(slot - 1)];
    if (!icon) return;
    icon_kind_[static_cast<size_t>(slot)] = kind;
    icon->SetHint(indicator_hint(kind));
    RM.Filer(items::AIcons).WriteString(with_slot_digit(RM.Filer(items::AIcons).ReadString(), slot, kind));
    state_.LastShown[static_cast<size_t>(slot)] = kForceRedraw;
    events_.refresh();
}

void TrayIcons::remove_indicator_icon() {
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

void TrayIcons::restore_indicator_icons() {
    // Every saved icon comes back once, into the lowest free slot; AIcons then describes the icons
    // as shown (a gap such as 0300 closes up to 3000).
    const auto kinds = kinds_to_restore(RM.Filer(items::AIcons).ReadString());
    for (int kind : kinds) AddIndicatorIcon(kind);
    const auto described = describe_slots(slots());
    if (RM.Filer(items::AIcons).ReadString() != described && !kinds.empty()) {
        RM.Filer(items::AIcons).WriteString(described);
    }
}

void TrayIcons::PopupMenu3Popup() {
    const int kind = icon_kind_[static_cast<size_t>(state_.CurrentAddIcon)];
    const std::initializer_list<MenuId> items = {MenuId::NSys2, MenuId::NUser2, MenuId::NGDI2, MenuId::NCPU2,
                                                 MenuId::NMemory2, MenuId::NDel};
    const MenuId chosen = (kind >= 1 && kind <= 5) ? static_cast<MenuId>(static_cast<int>(MenuId::NSys2) + kind - 1)
                                                   : MenuId::None;
    PopupMenu3.check_exclusive(items, chosen);
}

} // namespace qv::app
