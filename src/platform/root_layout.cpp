#include "platform/root_layout.h"

#include "platform/x11_extensions.h"

#include <algorithm>
#include <cstdlib>
#include <vector>
#include <xcb/randr.h>

namespace {

QString AtomName(xcb_get_atom_name_reply_t* reply) {
    if (!reply) return {};
    return QString::fromLatin1(xcb_get_atom_name_name(reply), xcb_get_atom_name_name_length(reply));
}

} // namespace

RootLayout QueryRootLayout(const X11Connection& x, bool withNames) {
    const xcb_get_geometry_cookie_t geometryCookie = xcb_get_geometry(x.xcb, x.root);
    // RandR lists monitors from version 1.5 on.
    const bool randr = ExtensionsOf(x).randrMonitors;
    xcb_randr_get_monitors_cookie_t monitorsCookie{};
    if (randr) monitorsCookie = xcb_randr_get_monitors(x.xcb, x.root, 1);

    RootLayout layout;
    if (auto geometry = OwnedReply(xcb_get_geometry_reply(x.xcb, geometryCookie, nullptr)))
        layout.root = QRect(0, 0, geometry->width, geometry->height);
    if (randr) {
        auto reply = OwnedReply(xcb_randr_get_monitors_reply(x.xcb, monitorsCookie, nullptr));
        std::vector<xcb_get_atom_name_cookie_t> names;
        if (reply) {
            for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem;
                 xcb_randr_monitor_info_next(&it)) {
                const xcb_randr_monitor_info_t* m = it.data;
                if (m->width == 0 || m->height == 0) continue;
                layout.monitors.append(
                    {QString(), QRect(m->x, m->y, m->width, m->height), m->primary != 0});
                if (withNames) names.push_back(xcb_get_atom_name(x.xcb, m->name));
            }
        }
        for (size_t i = 0; i < names.size(); ++i)
            layout.monitors[qsizetype(i)].name =
                AtomName(OwnedReply(xcb_get_atom_name_reply(x.xcb, names[i], nullptr)).get());
    }
    if (layout.monitors.isEmpty() && !layout.root.isEmpty())
        layout.monitors.append({QString(), layout.root, true});
    // Without a primary output the first monitor is the primary one, as for the toolkit.
    if (!layout.monitors.isEmpty() && std::none_of(layout.monitors.begin(), layout.monitors.end(),
                                                   [](const Monitor& m) { return m.primary; }))
        layout.monitors.first().primary = true;
    return layout;
}
