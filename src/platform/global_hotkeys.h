// The desktop's hotkeys: combinations grabbed on the X root window for the whole desktop.
#pragma once

#include "platform/hotkey_backend.h"

#include <QObject>
#include <functional>

// The process-wide hotkeys. A press of a registered combination calls the receiver with
// the combination's id, as a queued call on the receiver's thread (like a posted message).
HotkeyBackend& SystemHotkeys();

// Where presses go; presses arriving after the context object is gone are dropped.
void SetHotkeyReceiver(QObject* context, std::function<void(int id)> handler);
