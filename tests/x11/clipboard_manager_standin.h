// A clipboard manager as X11 desktops run one, reduced to what the tests need: it owns the
// CLIPBOARD_MANAGER selection and, asked by an ending program to save the clipboard
// (SAVE_TARGETS), fetches the clipboard's target list and its image/png, then answers.
#pragma once

#include <QByteArray>
#include <QStringList>
#include <functional>
#include <xcb/xcb.h>

class ClipboardManagerStandIn {
  public:
    ClipboardManagerStandIn();
    ~ClipboardManagerStandIn();
    ClipboardManagerStandIn(const ClipboardManagerStandIn&) = delete;
    ClipboardManagerStandIn& operator=(const ClipboardManagerStandIn&) = delete;

    // True once the server names this client the owner of CLIPBOARD_MANAGER.
    bool ownsSelection() const { return owns_; }

    struct Saved {
        bool asked = false;  // a SAVE_TARGETS request came
        QStringList targets; // what the clipboard's owner offered
        QByteArray png;      // its image/png, empty when refused
    };
    // Serves the first SAVE_TARGETS request that comes within the time, while waitOn says
    // one may still come.
    Saved serveSaveRequest(int timeoutMs, const std::function<bool()>& waitOn);

  private:
    xcb_atom_t atom(const char* name);
    // The next event that `wanted` accepts; others are dropped. Null when the time is up.
    xcb_generic_event_t* waitFor(const std::function<bool(xcb_generic_event_t*)>& wanted,
                                 qint64 deadline, const std::function<bool()>& waitOn = {});
    // Converts the clipboard to the target and reads the result, also in pieces (INCR).
    QByteArray fetch(xcb_atom_t target, qint64 deadline);

    xcb_connection_t* c_ = nullptr;
    xcb_window_t window_ = 0;
    bool owns_ = false;
};
