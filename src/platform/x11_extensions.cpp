#include "platform/x11_extensions.h"

#include <cstdlib>
#include <xcb/randr.h>
#include <xcb/shm.h>
#include <xcb/xfixes.h>

namespace {

bool Present(xcb_connection_t* c, xcb_extension_t* extension) {
    const xcb_query_extension_reply_t* reply = xcb_get_extension_data(c, extension);
    return reply && reply->present;
}

bool AtLeast(int major, int minor, int wantMajor, int wantMinor) {
    return major > wantMajor || (major == wantMajor && minor >= wantMinor);
}

X11Extensions Query(const X11Connection& x) {
    xcb_connection_t* c = x.xcb;
    PrefetchX11Extensions(c);
    const bool shm = Present(c, &xcb_shm_id);
    const bool randr = Present(c, &xcb_randr_id);
    const bool xfixes = Present(c, &xcb_xfixes_id);
    // All versions asked before any answer is awaited.
    xcb_shm_query_version_cookie_t shmCookie{};
    xcb_randr_query_version_cookie_t randrCookie{};
    xcb_xfixes_query_version_cookie_t xfixesCookie{};
    if (shm) shmCookie = xcb_shm_query_version(c);
    if (randr)
        randrCookie = xcb_randr_query_version(c, XCB_RANDR_MAJOR_VERSION, XCB_RANDR_MINOR_VERSION);
    if (xfixes) xfixesCookie = xcb_xfixes_query_version(c, XCB_XFIXES_MAJOR_VERSION, 0);

    X11Extensions found;
    if (shm)
        if (auto v = OwnedReply(xcb_shm_query_version_reply(c, shmCookie, nullptr)))
            found.shmDescriptors = AtLeast(v->major_version, v->minor_version, 1, 2);
    if (randr)
        if (auto v = OwnedReply(xcb_randr_query_version_reply(c, randrCookie, nullptr)))
            found.randrMonitors = AtLeast(int(v->major_version), int(v->minor_version), 1, 5);
    if (xfixes)
        if (auto v = OwnedReply(xcb_xfixes_query_version_reply(c, xfixesCookie, nullptr)))
            found.xfixes = v->major_version >= 1;
    return found;
}

} // namespace

void PrefetchX11Extensions(xcb_connection_t* connection) {
    xcb_prefetch_extension_data(connection, &xcb_shm_id);
    xcb_prefetch_extension_data(connection, &xcb_randr_id);
    xcb_prefetch_extension_data(connection, &xcb_xfixes_id);
}

const X11Extensions& ExtensionsOf(const X11Connection& x) {
    // The program keeps one connection for its whole run (X11()).
    static const X11Extensions extensions = Query(x);
    return extensions;
}
