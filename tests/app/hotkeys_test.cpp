#include "app/hotkey_table.h"
#include "app/hotkeys.h"
#include "app/main_window.h"
#include "capture/capture_session.h"
#include "platform/hotkey_backend.h"
#include "support/fake_capture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace {

using Call = std::tuple<int, unsigned, unsigned>; // id, modifier flags, virtual key

// Behaves like the desktop: refuses unknown flag bits and combinations already held.
class FakeBackend : public HotkeyBackend {
  public:
    std::vector<Call> calls;
    std::vector<Call> held;
    std::vector<int> released;
    bool refuseAll = false;
    bool throwOnRelease = false;

    bool registerHotkey(int id, unsigned modifiers, unsigned key) override {
        calls.emplace_back(id, modifiers, key);
        if (refuseAll || (modifiers & ~15u)) return false;
        for (const auto& [hid, hmods, hkey] : held)
            if (hmods == modifiers && hkey == key) return false;
        held.emplace_back(id, modifiers, key);
        return true;
    }
    void unregisterHotkey(int id) override {
        released.push_back(id);
        if (throwOnRelease) throw std::runtime_error("gone");
        std::erase_if(held, [id](const Call& c) { return std::get<0>(c) == id; });
    }
};

constexpr unsigned kCtrlShift = 6;

} // namespace

TEST(Hotkeys, KeyNamesGiveModifierFlagsEscapeAndFunctionKeys) {
    EXPECT_EQ(KeyNameCode("Ctrl"), 2);
    EXPECT_EQ(KeyNameCode(" ctrl "), 2);
    EXPECT_EQ(KeyNameCode("SHIFT"), 4);
    EXPECT_EQ(KeyNameCode("alt"), 1);
    EXPECT_EQ(KeyNameCode("Esc"), 27);
    EXPECT_EQ(KeyNameCode("f1"), 112);
    EXPECT_EQ(KeyNameCode("F12"), 123);
    EXPECT_EQ(KeyNameCode("F13"), 0);
    EXPECT_EQ(KeyNameCode("F0"), 0);
    EXPECT_EQ(KeyNameCode(""), 0);
    EXPECT_EQ(KeyNameCode("Win"), 0);
    EXPECT_EQ(KeyNameCode("Control"), 0);
}

TEST(Hotkeys, DefaultsRegisterCtrlShiftSFirstThenEveryRow) {
    Hotkeys hotkeys;
    FakeBackend backend;
    EXPECT_TRUE(RegisterHotkeys(hotkeys, backend));
    EXPECT_EQ(backend.calls, (std::vector<Call>{{1, kCtrlShift, 'S'},
                                                {1, kCtrlShift, 'F'},
                                                {2, kCtrlShift, 'W'},
                                                {3, kCtrlShift, 'C'},
                                                {4, kCtrlShift, 'A'},
                                                {5, 0, 27}}));
    EXPECT_EQ(hotkeys.conflicts, (std::array<bool, 5>{}));

    // A second pass finds Ctrl+Shift+S held: nothing else is tried, no flag changes.
    hotkeys.conflicts[3] = true;
    backend.calls.clear();
    EXPECT_FALSE(RegisterHotkeys(hotkeys, backend));
    EXPECT_EQ(backend.calls.size(), 1u);
    EXPECT_EQ(hotkeys.conflicts, (std::array<bool, 5>{false, false, false, true, false}));

    // Unregistering releases ids 1 to 5 once each; a failing release stops nothing.
    backend.throwOnRelease = true;
    UnregisterHotkeys(backend);
    EXPECT_EQ(backend.released, (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(Hotkeys, KeyTextsAndModifierNamesFollowTheirOwnRules) {
    Hotkeys hotkeys;
    hotkeys.table[0] = {"Alt", "", "a"};       // the character code, not the A key
    hotkeys.table[1] = {"Ctrl", "Ctrl", "F5"}; // only the first character counts
    hotkeys.table[2] = {" shift", "Nothing", " esc "};
    hotkeys.table[3] = {"ESC", "Shift", "A"};  // flags 27 | 4: refused
    hotkeys.table[4] = {"Ctrl", "Shift", "S"}; // already held by the first step
    hotkeys.conflicts = {true, true, true, false, false};
    FakeBackend backend;
    EXPECT_FALSE(RegisterHotkeys(hotkeys, backend));
    EXPECT_EQ(backend.calls, (std::vector<Call>{{1, kCtrlShift, 'S'},
                                                {1, 1, 97},
                                                {2, 2, 'F'},
                                                {3, 4, 27},
                                                {4, 31, 'A'},
                                                {5, kCtrlShift, 'S'}}));
    EXPECT_EQ(hotkeys.conflicts, (std::array<bool, 5>{false, false, false, true, true}));
}

TEST(Hotkeys, AnEmptyKeyEndsThePass) {
    Hotkeys hotkeys;
    hotkeys.table[2][2] = "";
    hotkeys.table[3] = {"ESC", "", "A"}; // would fail, but is never reached
    hotkeys.conflicts = {true, true, true, true, true};
    FakeBackend backend;
    EXPECT_TRUE(RegisterHotkeys(hotkeys, backend));
    EXPECT_EQ(
        backend.calls,
        (std::vector<Call>{{1, kCtrlShift, 'S'}, {1, kCtrlShift, 'F'}, {2, kCtrlShift, 'W'}}));
    EXPECT_EQ(hotkeys.conflicts, (std::array<bool, 5>{false, false, true, true, true}));

    // Refused right away: nothing registered and the flags stay.
    FakeBackend refusing;
    refusing.refuseAll = true;
    EXPECT_FALSE(RegisterHotkeys(hotkeys, refusing));
    EXPECT_EQ(refusing.calls.size(), 1u);
    EXPECT_EQ(hotkeys.conflicts, (std::array<bool, 5>{false, false, true, true, true}));
}

TEST(Hotkeys, HotkeyMessagesAreIgnoredWhileACaptureIsBeingSetUp) {
    QTemporaryDir dir;
    TFrmMain form(nullptr, dir.path());
    QStringList log;
    QImage screen(64, 48, QImage::Format_RGB32);
    screen.fill(Qt::gray);
    auto* grabber = new FakeGrabber(log, {screen, screen});
    // Hotkeys pressed while the screen is being grabbed.
    grabber->duringWait = [&] {
        form.WMHotKey(1);
        form.WMHotKey(4);
        form.WMHotKey(5);
    };
    form.Capture().setGrabber(std::unique_ptr<ScreenGrabber>(grabber));
    form.StartAreaCapture();
    grabber->duringWait = nullptr;
    EXPECT_EQ(log, QStringList({"wait 600", "grab 0"}));
    EXPECT_TRUE(form.Capture().frozen());
    // Unknown ids do nothing; hotkey 5 gives the capture up.
    form.WMHotKey(0);
    form.WMHotKey(6);
    EXPECT_TRUE(form.Capture().frozen());
    form.WMHotKey(5);
    EXPECT_FALSE(form.Capture().frozen());
    EXPECT_TRUE(form.isVisible());
}
