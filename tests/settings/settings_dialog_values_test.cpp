#include "settings/settings_dialog_values.h"

#include <gtest/gtest.h>

#include "settings/hotkey_control_value.h"
#include "settings/settings_table.h"
#include "settings/test_fakes.h"

namespace qv::settings {
namespace {

DialogValues valid_values() {
    DialogValues v;
    v.CleanValue = 96;
    v.RefreshTime = 2000;
    v.AutoCleanMemory = 16;
    v.AutoCleanTime = 20;
    v.AutoCleanCPU = 85;
    v.AlarmValue = 20;
    return v;
}

TEST(DialogChecks, EachFieldAtAndBeyondItsBounds) {
    const std::wstring amount = L"0より上で96以下の整数値を入力してください";
    const std::wstring percent = L"0より上で100以下の整数値を入力してください";
    struct Case {
        std::int32_t DialogValues::*field;
        std::int32_t bad_low, good_low, good_high, bad_high;
        DialogField expected;
        std::wstring message;
    };
    const Case cases[] = {
        {&DialogValues::CleanValue, 0, 1, 96, 97, DialogField::Edit1, amount},
        {&DialogValues::RefreshTime, 99, 100, 5000, 5001, DialogField::Edit2, L"100以上5000以下の整数値を入力してください"},
        {&DialogValues::AutoCleanMemory, 0, 1, 96, 97, DialogField::AutoCleanMemory, amount},
        {&DialogValues::AutoCleanTime, 0, 1, 1000000, 1000000, DialogField::AutoCleanTime, L"1以上の整数値を入力してください"},
        {&DialogValues::AutoCleanCPU, 0, 1, 100, 101, DialogField::AutoCleanCPU, percent},
        {&DialogValues::AlarmValue, -5, 1, 100, 101, DialogField::AlarmValue, percent},
    };
    for (const Case& c : cases) {
        DialogValues v = valid_values();
        for (std::int32_t good : {c.good_low, c.good_high}) {
            v.*c.field = good;
            EXPECT_FALSE(check_dialog_values(v, 96)) << good;
        }
        for (std::int32_t bad : {c.bad_low, c.bad_high}) {
            if (bad == c.good_high) continue;  // no upper bound
            v.*c.field = bad;
            const auto failure = check_dialog_values(v, 96);
            ASSERT_TRUE(failure) << bad;
            EXPECT_EQ(failure->field, c.expected) << bad;
            EXPECT_EQ(failure->message, c.message) << bad;
        }
    }
}

TEST(DialogChecks, FirstFailureWinsAndTheTriggerChoiceComesLast) {
    DialogValues v = valid_values();
    v.AlarmValue = 0;
    v.RefreshTime = 50;
    v.ACChk = true;
    EXPECT_EQ(check_dialog_values(v, 96)->field, DialogField::Edit2);

    v = valid_values();
    v.ACChk = true;
    const auto failure = check_dialog_values(v, 96);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->field, DialogField::None);
    EXPECT_EQ(failure->message, L"自動確保する方法について選択してください");
    for (bool DialogValues::*trigger : {&DialogValues::ACMChk, &DialogValues::ACTChk, &DialogValues::ACCChk}) {
        DialogValues with = v;
        with.*trigger = true;
        EXPECT_FALSE(check_dialog_values(with, 96));
    }
    v.ACChk = false;
    EXPECT_FALSE(check_dialog_values(v, 96)) << "no trigger is needed while automatic runs are off";
}

class DialogTransferTest : public ::testing::Test {
protected:
    DialogTransferTest() {
        RM.IniFileName = store.path;
        layout.names = {{0x57, L"W"}, {0x74, L"F5"}};
    }
    testing::MemoryStore store;
    testing::FakeKeyLayout layout;
    TRegManager RM = make_main_store(store.services());
};

TEST_F(DialogTransferTest, AFreshFileIsWrittenInTheDialogsOrder) {
    DialogValues v = valid_values();
    v.ACChk = v.ACTChk = v.Snap = v.AutoHide = true;
    v.TransFlag = true;
    v.HotKeyWindow = kHotKeyCtrl | kHotKeyAlt | 0x57;
    write_dialog_values(RM, v, layout);
    EXPECT_EQ(store.ansi.decode(store.file()),
              L"[Clean]\r\nACChk=1\r\nACMChk=0\r\nAutoCleanMemory=16\r\nAutoCleanTime=20\r\nACTChk=1\r\n"
              L"CleanValue=96\r\nACCChk=0\r\nAutoCleanCPU=85\r\n"
              L"[Window]\r\nTopMost=0\r\nTasktray=0\r\nRefreshTime=2000\r\nAlarm=0\r\nAlarmValue=20\r\nSnap=1\r\n"
              L"AutoHide=1\r\n"
              L"[Hotkey]\r\nHotkeyWindow=Ctrl+Alt+W\r\nHotkeyClean=\r\nHotKeySet=\r\nHotKeyStop=\r\n"
              L"HotKeyAutoHide=\r\n");
}

TEST_F(DialogTransferTest, WhatIsWrittenReadsBack) {
    DialogValues v = valid_values();
    v.ACMChk = v.ACCChk = v.TopMost = v.Tasktray = v.Alarm = true;
    v.HotKeyClean = kHotKeyShift | 0x74;
    v.HotKeySet = kHotKeyCtrl | 0x57;
    v.HotKeyStop = kHotKeyAlt | 0x74;
    v.HotKeyAutoHide = kHotKeyCtrl | kHotKeyAlt | kHotKeyShift | 0x57;
    write_dialog_values(RM, v, layout);
    RM.Filer(L"TransFlag").WriteBool(true);
    v.TransFlag = true;
    EXPECT_TRUE(read_dialog_values(RM, layout) == v);
}

TEST(HotkeyControlValue, ModifierBitsBothWays) {
    struct Case {
        unsigned control;
        std::uint16_t value;
    };
    const Case cases[] = {
        {0x0000, 0},
        {0x0641, kHotKeyCtrl | kHotKeyAlt | 0x41},                // Ctrl+Alt+A
        {0x0174, kHotKeyShift | 0x74},                            // Shift+F5
        {0x0730, kHotKeyShift | kHotKeyCtrl | kHotKeyAlt | 0x30},  // all three
        {0x0E2E, kHotKeyCtrl | kHotKeyAlt | 0x2E},                // Del, the grey key
        {0x0A25, kHotKeyCtrl | 0x25},                             // Left
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hotkey_from_control(c.control), c.value) << std::hex << c.control;
        EXPECT_EQ(hotkey_to_control(c.value), c.control) << std::hex << c.value;
    }
    // The keypad's Del (no extended flag) is the same key to the program.
    EXPECT_EQ(hotkey_from_control(0x062E), kHotKeyCtrl | kHotKeyAlt | 0x2E);
    // Modifiers without a key are no hotkey.
    EXPECT_EQ(hotkey_to_control(kHotKeyCtrl), 0u);
}

} // namespace
} // namespace qv::settings
