#include "platform/global_hotkeys.h"

#include "platform/virtual_keys.h"
#include "platform/x11_connection.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// One combination of an id, grabbed once per state of the lock keys.
struct Grab {
    int id;
    xcb_keycode_t keycode;
    uint16_t modifiers;
    std::vector<uint16_t> variants;
};

uint16_t ModifierOf(Display* display, unsigned long keysym, uint16_t fallback) {
    const unsigned mask = XkbKeysymToModifiers(display, keysym);
    return mask ? uint16_t(mask) : fallback;
}

class X11Hotkeys final : public HotkeyBackend, public QAbstractNativeEventFilter {
  public:
    bool registerHotkey(int id, unsigned modifiers, unsigned virtualKey) override;
    void unregisterHotkey(int id) override;
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

    void setReceiver(QObject* context, std::function<void(int)> handler) {
        context_ = context;
        handler_ = std::move(handler);
    }

  private:
    void release(const X11Connection& x, const Grab& grab);
    void deliver(int id);

    std::vector<Grab> grabs_;
    // The lock keys whose state does not matter: CapsLock and wherever NumLock sits.
    uint16_t ignored_ = XCB_MOD_MASK_LOCK;
    QPointer<QObject> context_;
    std::function<void(int)> handler_;
    bool filterInstalled_ = false;
};

bool X11Hotkeys::registerHotkey(int id, unsigned modifiers, unsigned virtualKey) {
    if (modifiers & ~(kModAlt | kModControl | kModShift | kModWin)) return false;
    if (QGuiApplication::platformName() != "xcb") return false;
    const X11Connection* x = X11();
    // Presses arrive through the toolkit's event loop; without it nothing would see them.
    if (!x || !x->toolkitOwned || !x->display) return false;
    const uint32_t keysym = VirtualKeyToKeysym(virtualKey);
    const xcb_keycode_t keycode = keysym ? XKeysymToKeycode(x->display, keysym) : 0;
    if (!keycode) return false;

    uint16_t mods = 0;
    if (modifiers & kModShift) mods |= XCB_MOD_MASK_SHIFT;
    if (modifiers & kModControl) mods |= XCB_MOD_MASK_CONTROL;
    if (modifiers & kModAlt) mods |= ModifierOf(x->display, XK_Alt_L, XCB_MOD_MASK_1);
    if (modifiers & kModWin) mods |= ModifierOf(x->display, XK_Super_L, XCB_MOD_MASK_4);
    for (const Grab& g : grabs_)
        if (g.keycode == keycode && g.modifiers == mods) return false;

    const uint16_t numLock = ModifierOf(x->display, XK_Num_Lock, 0);
    ignored_ = XCB_MOD_MASK_LOCK | numLock;
    std::vector<uint16_t> variants;
    for (uint16_t locks : {uint16_t(0), uint16_t(XCB_MOD_MASK_LOCK), numLock,
                           uint16_t(XCB_MOD_MASK_LOCK | numLock)}) {
        const uint16_t v = mods | locks;
        if (std::find(variants.begin(), variants.end(), v) == variants.end()) variants.push_back(v);
    }

    Grab grab{id, keycode, mods, {}};
    for (uint16_t v : variants) {
        // Checked one by one: another client holding the combination answers BadAccess.
        xcb_generic_error_t* error = xcb_request_check(
            x->xcb, xcb_grab_key_checked(x->xcb, 0, x->root, v, keycode, XCB_GRAB_MODE_ASYNC,
                                         XCB_GRAB_MODE_ASYNC));
        if (error) {
            std::free(error);
            release(*x, grab);
            return false;
        }
        grab.variants.push_back(v);
    }
    grabs_.push_back(grab);
    if (!filterInstalled_) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        filterInstalled_ = true;
    }
    return true;
}

void X11Hotkeys::release(const X11Connection& x, const Grab& grab) {
    for (uint16_t v : grab.variants)
        xcb_ungrab_key(x.xcb, grab.keycode, x.root, v);
    // A round trip, not just a flush: the server takes requests of different clients in its
    // own order, and a program that grabs the keys as soon as this returns must find them
    // free.
    std::free(xcb_get_input_focus_reply(x.xcb, xcb_get_input_focus(x.xcb), nullptr));
}

void X11Hotkeys::unregisterHotkey(int id) {
    if (std::none_of(grabs_.begin(), grabs_.end(), [id](const Grab& g) { return g.id == id; }))
        return;
    const X11Connection* x = X11();
    for (auto it = grabs_.begin(); it != grabs_.end();) {
        if (it->id != id) {
            ++it;
            continue;
        }
        if (x) release(*x, *it);
        it = grabs_.erase(it);
    }
}

bool X11Hotkeys::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (grabs_.empty() || type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t kind = event->response_type & 0x7f;
    if (kind != XCB_KEY_PRESS && kind != XCB_KEY_RELEASE) return false;
    const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
    const X11Connection* x = X11();
    if (!x || key->event != x->root) return false;
    // Only the key modifiers count; mouse buttons, lock keys and the keyboard group don't.
    const uint16_t state = key->state & 0xff & ~ignored_;
    for (const Grab& g : grabs_) {
        if (g.keycode != key->detail || g.modifiers != state) continue;
        if (kind == XCB_KEY_PRESS) deliver(g.id);
        return true;
    }
    return false;
}

void X11Hotkeys::deliver(int id) {
    if (!context_ || !handler_) return;
    QMetaObject::invokeMethod(
        context_.data(), [handler = handler_, id] { handler(id); }, Qt::QueuedConnection);
}

X11Hotkeys& Instance() {
    // One per process, as the X connection whose key events it filters is; never destroyed:
    // the application may still hand it events while the program ends.
    static auto* hotkeys = new X11Hotkeys;
    return *hotkeys;
}

} // namespace

HotkeyBackend& SystemHotkeys() {
    return Instance();
}

void SetHotkeyReceiver(QObject* context, std::function<void(int id)> handler) {
    Instance().setReceiver(context, std::move(handler));
}
