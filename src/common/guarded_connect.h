// Connects a signal to a handler that runs guarded (common/guard.h): an error inside the
// handler is swallowed, the state it reached stays and the program goes on. The main
// window connects the handlers of its tables this way, so they carry no guard of their own.
#pragma once

#include "common/guard.h"

#include <QObject>

#include <utility>

template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection ConnectGuarded(Sender* sender, Signal signal, QObject* context,
                                       Handler handler) {
    return QObject::connect(sender, signal, context,
                            [handler = std::move(handler)] { Guarded(handler); });
}
