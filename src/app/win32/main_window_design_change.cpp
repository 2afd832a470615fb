// Which design the window shows, a skin or the default design, and every change between them: at start,
// from the skin menus and after the settings dialog; and the buttons of either design.
#include "app/win32/main_window.h"

#include "app/win32/refresh_pause.h"
#include "base/win32/error_report.h"

namespace qv::app {
namespace {

constexpr const wchar_t* kSkinLoadFailed = L"スキンファイルの読みこみに失敗しました";

} // namespace

// Every change of the design goes through here. Building one lets messages run, and a handler run
// meanwhile (the settings dialog, a skin's button, a command from another program) would otherwise
// retire, and once back at the top free, the elements the first build still holds and fills in.
void MainWindow::change_design(const std::function<void()>& change) {
    if (design_changing_) {
        design_change_waiting_ = true;
        return;
    }
    design_changing_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{design_changing_};
    change();
    while (design_change_waiting_) {
        design_change_waiting_ = false;
        follow_skin_setting();
    }
}

void MainWindow::follow_skin_setting() {
    const std::wstring skin_file = RM.Filer(items::SkinFileName).ReadString();
    if (skin_file != state_.CurrentSkinFile) {
        if (skin_file.empty()) RestoreDefaultDesign();
        else load_skin_or_default(skin_file);
    }
    if (!state_.SkinActive) default_design_->load_background_picture();
    state_.CurrentSkinFile = RM.Filer(items::SkinFileName).ReadString();
}

void MainWindow::load_skin_at_start() {
    change_design([this] {
        const std::wstring file = RM.Filer(items::SkinFileName).ReadString();
        // A skin that failed half-way may have replaced the background picture. Whatever was wrong with
        // the background's own file has just been reported.
        if (!file.empty() && load_skin_or_default(file) == SkinOutcome::Failed) {
            win::guarded(handle(), [this] { default_design_->load_background_picture(PictureErrors::Silent); });
        }
        state_.CurrentSkinFile = RM.Filer(items::SkinFileName).ReadString();
    });
}

MainWindow::SkinOutcome MainWindow::load_skin_or_default(const std::wstring& file) {
    SkinOutcome outcome = SkinOutcome::Failed;
    try {
        if (skin_view_->LoadSkin(file)) return SkinOutcome::Loaded;
        show_error_box(kSkinLoadFailed);
        outcome = SkinOutcome::NotASkin;
    } catch (...) {
        // Reported once with its own message; then as for a file that is no skin, so that a broken
        // skin neither leaves a half-built window nor fails every later start again.
        win::report_current_exception(handle());
    }
    win::guarded(handle(), [this] { RM.Filer(items::SkinFileName).WriteString(L""); });
    RestoreDefaultDesign();
    return outcome;
}

void MainWindow::SkinMenuItemClick(MenuId id) {
    // A choice made while the design changes would be judged against the skin that is going, and leave
    // the setting and the window at odds. It is dropped, like a click on a busy button.
    if (design_changing_) return;
    skin_menus_.choose(id, state_.CurrentSkinFile);
    change_design([this] { follow_skin_setting(); });
}

void MainWindow::RestoreDefaultDesign() {
    RefreshPause pause(SystemProbe);
    canvas_->design.ClearAll();
    skin_view_->clear_progress_hints();
    default_design_->show();
    state_.SkinActive = false;
    // The new gauges show values at once.
    if (pause.resume()) win::guarded(handle(), [this] { SystemProbe.Refresh(); });
}

void MainWindow::SkinButtonClick(skin::GraphicControl& sender) {
    if (!state_.SkinActive) return;
    switch (canvas_->design.ButtonSlotOf(sender)) {
    case 1: NsetClick(); break;
    case 2: terminate(); break;
    case 3: XButtonClick(); break;
    case 4: RunOptimization(RM.Filer(items::CleanValue).ReadInteger()); break;
    default: break;
    }
}

void MainWindow::XButtonClick() { hide_window(); }

void MainWindow::show_figures(const DisplayFigures& figures) {
    canvas_->show_figures(figures, state_.SkinActive, state_.TotalMB);
}

} // namespace qv::app
