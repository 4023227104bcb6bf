#include "app/hotkey_table.h"
#include "app/hotkeys.h"
#include "app/main_window.h"
#include "app/shortcut_set_dialog.h"
#include "platform/global_hotkeys.h"
#include "support/controls.h"
#include "widgets/image_control.h"
#include "x11/x11_test_support.h"

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr uint16_t kCtrlShift = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT;

// Collects the ids of the hotkey presses that reach this program.
struct Presses {
    QObject context;
    std::vector<int> ids;
    Presses() {
        SetHotkeyReceiver(&context, [this](int id) { ids.push_back(id); });
    }
    // Presses the keys and waits for the id they bring.
    int press(const QString& keys) {
        const size_t before = ids.size();
        if (!XdoTool({"key", keys})) return -1;
        if (!WaitUntil([&] { return ids.size() > before; })) return 0;
        return ids.back();
    }
};

bool Contains(const std::vector<xcb_keycode_t>& keys, xcb_keycode_t key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

// Releases whatever a test before left held; each test starts with its own default table.
void ReleaseHotkeys() {
    UnregisterHotkeys();
}

} // namespace

TEST(GlobalHotkeys, PressesReachTheHandlerUntilUnregisteredThenOtherWindows) {
    ReleaseHotkeys();
    Hotkeys hotkeys;
    Presses presses;
    OtherClient other;
    ASSERT_TRUE(other.showFocusedWindow());
    const xcb_keycode_t f = other.keycode('f'), escape = other.keycode(kKeysymEscape);

    ASSERT_TRUE(RegisterHotkeys(hotkeys));
    EXPECT_EQ(hotkeys.conflicts, (std::array<bool, 5>{}));
    EXPECT_EQ(presses.press("ctrl+shift+f"), 1);
    EXPECT_EQ(presses.press("ctrl+shift+s"), 1);
    EXPECT_EQ(presses.press("ctrl+shift+w"), 2);
    EXPECT_EQ(presses.press("ctrl+shift+c"), 3);
    EXPECT_EQ(presses.press("ctrl+shift+a"), 4);
    EXPECT_EQ(presses.press("Escape"), 5);
    // The state of the lock keys does not matter.
    ASSERT_TRUE(XdoTool({"key", "Num_Lock"}));
    EXPECT_EQ(presses.press("ctrl+shift+w"), 2);
    ASSERT_TRUE(XdoTool({"key", "Num_Lock", "Caps_Lock"}));
    EXPECT_EQ(presses.press("Escape"), 5);
    ASSERT_TRUE(XdoTool({"key", "Caps_Lock"}));

    // A key nobody holds reaches the focused window of the other client, and none of the
    // held ones did before it.
    ASSERT_TRUE(XdoTool({"key", "x"}));
    ASSERT_TRUE(WaitUntil([&] { return Contains(other.pressedKeys(), other.keycode('x')); }));
    EXPECT_FALSE(Contains(other.pressedKeys(), f));
    EXPECT_FALSE(Contains(other.pressedKeys(), escape));

    UnregisterHotkeys();
    const size_t seen = presses.ids.size();
    ASSERT_TRUE(XdoTool({"key", "ctrl+shift+f", "Escape"}));
    EXPECT_TRUE(WaitUntil([&] { return Contains(other.pressedKeys(), escape); }));
    EXPECT_TRUE(Contains(other.pressedKeys(), f));
    QCoreApplication::processEvents();
    EXPECT_EQ(presses.ids.size(), seen);
}

TEST(GlobalHotkeys, CombinationsHeldElsewhereOrByThisProgramAreConflicts) {
    ReleaseHotkeys();
    Hotkeys hotkeys;
    OtherClient other;
    ASSERT_TRUE(other.grabKey('w', kCtrlShift));
    EXPECT_FALSE(RegisterHotkeys(hotkeys));
    EXPECT_EQ(hotkeys.conflicts, (std::array<bool, 5>{false, true, false, false, false}));

    // The dialog shows the conflict in red on the window row only.
    TFrmShortcutSet dialog(hotkeys);
    dialog.show();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(dialog.Rows[size_t(i)].conflict->isVisible(), i == 1) << i;
    EXPECT_EQ(dialog.Rows[1].conflict->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    dialog.close();

    // While this program holds its hotkeys, a second pass gets nothing and changes nothing.
    EXPECT_FALSE(RegisterHotkeys(hotkeys));
    EXPECT_EQ(hotkeys.conflicts, (std::array<bool, 5>{false, true, false, false, false}));

    // The table's hotkey 1 as Ctrl+Shift+S clashes with the first step; a modifier named
    // ESC carries flag bits the desktop refuses.
    UnregisterHotkeys();
    other.ungrabKey('w', kCtrlShift);
    hotkeys.table[0] = {"Ctrl", "Shift", "S"};
    hotkeys.table[2] = {"ESC", "", "C"};
    EXPECT_FALSE(RegisterHotkeys(hotkeys));
    EXPECT_EQ(hotkeys.conflicts, (std::array<bool, 5>{true, false, true, false, false}));

    // Refused on one lock state, a combination keeps none of its other states.
    ReleaseHotkeys();
    hotkeys = Hotkeys();
    const uint16_t numLock = other.numLockMask();
    ASSERT_NE(numLock, 0);
    ASSERT_TRUE(other.grabKey('w', kCtrlShift | numLock));
    EXPECT_FALSE(RegisterHotkeys(hotkeys));
    EXPECT_TRUE(hotkeys.conflicts[1]);
    EXPECT_TRUE(other.grabKey('w', kCtrlShift));
    EXPECT_TRUE(other.grabKey('w', kCtrlShift | XCB_MOD_MASK_LOCK));
    UnregisterHotkeys();
}

TEST(GlobalHotkeys, EscapeRestoresTheMainWindowWhichReleasesTheKeys) {
    ReleaseHotkeys();
    QTemporaryDir dir;
    TFrmMain form(nullptr, dir.path());
    Hotkeys& hotkeys = form.Context().hotkeys;
    form.showNormal();
    QImage paper(300, 200, QImage::Format_RGB32);
    paper.fill(Qt::white);
    Control<ImageControl>(form, "ImgMain").setPicture(paper);
    // The full-screen view with the rectangle tool armed.
    form.FullScreenMenuItemClick();
    ASSERT_TRUE(form.InFullScreenView());
    form.Tools().arm(ttRect);
    ASSERT_TRUE(RegisterHotkeys(hotkeys));
    ASSERT_TRUE(XdoTool({"key", "Escape"}));
    EXPECT_TRUE(WaitUntil([&] { return !form.InFullScreenView(); }));
    // Esc leaves no tool armed: a drag on the picture afterwards draws nothing.
    EXPECT_EQ(form.Tools().current(), ttNone);
    QTest::mousePress(&Control<ImageControl>(form, "ImgMain"), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(&Control<ImageControl>(form, "ImgMain"), QPoint(80, 60));
    QTest::mouseMove(&Control<ImageControl>(form, "ImgMain"), QPoint(150, 120));
    QTest::mouseRelease(&Control<ImageControl>(form, "ImgMain"), Qt::LeftButton, {},
                        QPoint(150, 120));
    QCoreApplication::processEvents();
    EXPECT_TRUE(Control<ImageControl>(form, "ImgMain").picture() == paper)
        << "the drag drew on the picture";
    OtherClient other;
    EXPECT_TRUE(other.grabKey(kKeysymEscape, 0));
    EXPECT_TRUE(other.grabKey('f', kCtrlShift));
}
