#include "x11/clipboard_manager_standin.h"

#include <QDateTime>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Owned = std::unique_ptr<T, FreeDeleter>;

qint64 Now() {
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

ClipboardManagerStandIn::ClipboardManagerStandIn() {
    c_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c_)) return;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
    window_ = xcb_generate_id(c_);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    const xcb_atom_t manager = atom("CLIPBOARD_MANAGER");
    xcb_set_selection_owner(c_, window_, manager, XCB_CURRENT_TIME);
    Owned<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(c_, xcb_get_selection_owner(c_, manager), nullptr));
    owns_ = owner && owner->owner == window_;
}

ClipboardManagerStandIn::~ClipboardManagerStandIn() {
    xcb_disconnect(c_);
}

xcb_atom_t ClipboardManagerStandIn::atom(const char* name) {
    Owned<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        c_, xcb_intern_atom(c_, 0, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_generic_event_t*
ClipboardManagerStandIn::waitFor(const std::function<bool(xcb_generic_event_t*)>& wanted,
                                 qint64 deadline, const std::function<bool()>& waitOn) {
    xcb_flush(c_);
    while (true) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) {
            if (wanted(e)) return e;
            std::free(e);
        }
        const qint64 left = deadline - Now();
        if (left <= 0 || xcb_connection_has_error(c_) || (waitOn && !waitOn())) return nullptr;
        pollfd fd = {xcb_get_file_descriptor(c_), POLLIN, 0};
        poll(&fd, 1, int(std::min<qint64>(left, 100)));
    }
}

QByteArray ClipboardManagerStandIn::fetch(xcb_atom_t target, qint64 deadline) {
    const xcb_atom_t property = atom("STANDIN_SAVED");
    xcb_convert_selection(c_, window_, atom("CLIPBOARD"), target, property, XCB_CURRENT_TIME);
    Owned<xcb_generic_event_t> notify(waitFor(
        [](xcb_generic_event_t* e) { return (e->response_type & 0x7f) == XCB_SELECTION_NOTIFY; },
        deadline));
    if (!notify ||
        reinterpret_cast<xcb_selection_notify_event_t*>(notify.get())->property == XCB_NONE)
        return {};
    // Reads the whole property and deletes it, which also asks for the next piece.
    const auto take = [&](xcb_atom_t* type) {
        Owned<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            c_, xcb_get_property(c_, 1, window_, property, XCB_GET_PROPERTY_TYPE_ANY, 0, ~0u / 4),
            nullptr));
        if (!reply) return QByteArray();
        if (type) *type = reply->type;
        return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                          xcb_get_property_value_length(reply.get()));
    };
    xcb_atom_t type = XCB_ATOM_NONE;
    QByteArray data = take(&type);
    if (type != atom("INCR")) return data;
    data.clear();
    while (true) {
        Owned<xcb_generic_event_t> piece(waitFor(
            [&](xcb_generic_event_t* e) {
                auto* p = reinterpret_cast<xcb_property_notify_event_t*>(e);
                return (e->response_type & 0x7f) == XCB_PROPERTY_NOTIFY && p->atom == property &&
                       p->state == XCB_PROPERTY_NEW_VALUE;
            },
            deadline));
        if (!piece) return {};
        const QByteArray bytes = take(nullptr);
        if (bytes.isEmpty()) return data;
        data += bytes;
    }
}

ClipboardManagerStandIn::Saved
ClipboardManagerStandIn::serveSaveRequest(int timeoutMs, const std::function<bool()>& waitOn) {
    Saved saved;
    if (!owns_) return saved;
    const qint64 deadline = Now() + timeoutMs;
    const xcb_atom_t manager = atom("CLIPBOARD_MANAGER");
    const xcb_atom_t saveTargets = atom("SAVE_TARGETS");
    Owned<xcb_generic_event_t> request(waitFor(
        [&](xcb_generic_event_t* e) {
            auto* r = reinterpret_cast<xcb_selection_request_event_t*>(e);
            return (e->response_type & 0x7f) == XCB_SELECTION_REQUEST && r->selection == manager &&
                   r->target == saveTargets;
        },
        deadline, waitOn));
    if (!request) return saved;
    saved.asked = true;
    const auto* req = reinterpret_cast<xcb_selection_request_event_t*>(request.get());

    const QByteArray targets = fetch(atom("TARGETS"), deadline);
    const auto* atoms = reinterpret_cast<const xcb_atom_t*>(targets.constData());
    for (qsizetype i = 0; i < targets.size() / qsizetype(sizeof(xcb_atom_t)); ++i) {
        Owned<xcb_get_atom_name_reply_t> name(
            xcb_get_atom_name_reply(c_, xcb_get_atom_name(c_, atoms[i]), nullptr));
        if (name)
            saved.targets << QString::fromLatin1(xcb_get_atom_name_name(name.get()),
                                                 xcb_get_atom_name_name_length(name.get()));
    }
    if (saved.targets.contains("image/png")) saved.png = fetch(atom("image/png"), deadline);

    // Done: the ending program may go.
    xcb_selection_notify_event_t done = {};
    done.response_type = XCB_SELECTION_NOTIFY;
    done.time = req->time;
    done.requestor = req->requestor;
    done.selection = req->selection;
    done.target = req->target;
    done.property = req->property;
    xcb_send_event(c_, 0, req->requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&done));
    xcb_flush(c_);
    return saved;
}
