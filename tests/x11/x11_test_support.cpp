#include "x11/x11_test_support.h"

#include "capture/screen_grab.h"
#include "platform/screen_grab.h"
#include "platform/x11_connection.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

PatternWindow::PatternWindow() {
    setWindowTitle("pattern");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRgb PatternWindow::expectedAt(QPoint p) const {
    if (QRect(10, 10, 20, 20).contains(p)) return kMark;
    return (p.x() < width() / 2) != swapped_ ? kLeft : kRight;
}

void PatternWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(0, 0, width() / 2, height(), QColor::fromRgb(swapped_ ? kRight : kLeft));
    p.fillRect(width() / 2, 0, width() - width() / 2, height(),
               QColor::fromRgb(swapped_ ? kLeft : kRight));
    p.fillRect(10, 10, 20, 20, QColor::fromRgb(kMark));
}

bool PatternWindow::showAt(QPoint framePos, QSize clientSize) {
    resize(clientSize);
    move(framePos);
    show();
    activateWindow();
    raise();
    if (!QTest::qWaitForWindowActive(this)) {
        ADD_FAILURE() << "the pattern window never became active; the focus window is "
                      << (QGuiApplication::focusWindow() ? "another one" : "none");
        return false;
    }
    // Wait until the window manager has placed it and the pixels have reached the screen.
    QImage shot;
    const QPoint far(clientSize.width() - 2, clientSize.height() - 2);
    const bool shown = WaitUntil([&] {
        GrabScreen(shot, 2);
        return shot.size() == clientSize && shot.pixel(1, 1) == expectedAt({1, 1}) &&
               shot.pixel(far) == expectedAt(far);
    });
    if (!shown)
        ADD_FAILURE() << "the foreground window's client area never showed the pattern: "
                      << shot.width() << "x" << shot.height() << ", corners " << std::hex
                      << (shot.isNull() ? 0 : shot.pixel(1, 1)) << " and "
                      << (shot.valid(far) ? shot.pixel(far) : 0);
    return shown;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) return false;
        QTest::qWait(20);
    }
    return true;
}

void WarpPointer(QPoint to) {
    const X11Connection* x = X11();
    if (!x) return;
    xcb_warp_pointer(x->xcb, XCB_NONE, x->root, 0, 0, 0, 0, int16_t(to.x()), int16_t(to.y()));
    xcb_flush(x->xcb);
}

bool XdoTool(const QStringList& arguments) {
    return QProcess::execute("xdotool", arguments) == 0;
}

bool SetRootPicture(const QImage& picture) {
    const X11Connection* x = X11();
    if (!x || x->screen->root_depth != 24) return false;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const xcb_pixmap_t pixmap = xcb_generate_id(x->xcb);
    xcb_create_pixmap(x->xcb, x->screen->root_depth, pixmap, x->root, uint16_t(rgb.width()),
                      uint16_t(rgb.height()));
    const xcb_gcontext_t gc = xcb_generate_id(x->xcb);
    xcb_create_gc(x->xcb, gc, pixmap, 0, nullptr);
    // In bands of rows, each well below the largest request the server takes.
    const int rowsPerBand = std::max(1, (256 << 10) / int(rgb.bytesPerLine()));
    for (int y = 0; y < rgb.height(); y += rowsPerBand) {
        const int rows = std::min(rowsPerBand, rgb.height() - y);
        xcb_put_image(x->xcb, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, uint16_t(rgb.width()),
                      uint16_t(rows), 0, int16_t(y), 0, x->screen->root_depth,
                      uint32_t(rgb.bytesPerLine() * rows), rgb.constScanLine(y));
    }
    xcb_change_window_attributes(x->xcb, x->root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(x->xcb, 0, x->root, 0, 0, 0, 0);
    xcb_free_gc(x->xcb, gc);
    xcb_free_pixmap(x->xcb, pixmap);
    xcb_flush(x->xcb);
    const QPoint corner(picture.width() - 1, picture.height() - 1);
    return WaitUntil([&] {
        QImage shot;
        CopyScreenRect(shot, QRect(corner, QSize(1, 1)));
        QImage origin;
        CopyScreenRect(origin, QRect(0, 0, 1, 1));
        return !shot.isNull() && !origin.isNull() &&
               (shot.pixel(0, 0) | 0xff000000u) == (rgb.pixel(corner) | 0xff000000u) &&
               (origin.pixel(0, 0) | 0xff000000u) == (rgb.pixel(0, 0) | 0xff000000u);
    });
}

quint32 RawPixel(const QImage& image, QPoint p) {
    return reinterpret_cast<const quint32*>(image.constScanLine(p.y()))[p.x()];
}

OtherClient::OtherClient() {
    c_ = xcb_connect(nullptr, nullptr);
    if (!xcb_connection_has_error(c_))
        root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
}

OtherClient::~OtherClient() {
    xcb_disconnect(c_);
}

xcb_keycode_t OtherClient::keycode(uint32_t keysym) {
    if (!root_) return 0;
    const xcb_setup_t* setup = xcb_get_setup(c_);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
        c_, xcb_get_keyboard_mapping(c_, setup->min_keycode, uint8_t(count)), nullptr);
    if (!map) return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
    xcb_keycode_t found = 0;
    for (int k = 0; k < count && !found; ++k)
        for (int i = 0; i < map->keysyms_per_keycode && !found; ++i)
            if (syms[k * map->keysyms_per_keycode + i] == keysym)
                found = xcb_keycode_t(setup->min_keycode + k);
    std::free(map);
    return found;
}

uint16_t OtherClient::numLockMask() {
    const xcb_keycode_t numLock = keycode(kKeysymNumLock);
    xcb_get_modifier_mapping_reply_t* map =
        xcb_get_modifier_mapping_reply(c_, xcb_get_modifier_mapping(c_), nullptr);
    if (!map) return 0;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(map);
    uint16_t mask = 0;
    for (int m = 0; m < 8; ++m)
        for (int i = 0; i < map->keycodes_per_modifier; ++i)
            if (numLock && codes[m * map->keycodes_per_modifier + i] == numLock) mask = 1 << m;
    std::free(map);
    return mask;
}

bool OtherClient::grabKey(uint32_t keysym, uint16_t modifiers) {
    if (!root_) return false;
    xcb_generic_error_t* error =
        xcb_request_check(c_, xcb_grab_key_checked(c_, 1, root_, modifiers, keycode(keysym),
                                                   XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    std::free(error);
    return !error;
}

void OtherClient::ungrabKey(uint32_t keysym, uint16_t modifiers) {
    // Checked, so the server has done it before this program asks for the key.
    std::free(xcb_request_check(c_, xcb_ungrab_key_checked(c_, keycode(keysym), root_, modifiers)));
}

bool OtherClient::showFocusedWindow() {
    if (!root_) return false;
    window_ = xcb_generate_id(c_);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
    const uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_KEY_PRESS |
                                                        XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                                                        XCB_EVENT_MASK_FOCUS_CHANGE};
    xcb_create_window(c_, XCB_COPY_FROM_PARENT, window_, root_, 700, 600, 200, 150, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    xcb_map_window(c_, window_);
    xcb_flush(c_);
    bool mapped = false, focused = false;
    return WaitUntil([&] {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) {
            const uint8_t kind = e->response_type & 0x7f;
            if (kind == XCB_MAP_NOTIFY) {
                mapped = true;
                xcb_set_input_focus(c_, XCB_INPUT_FOCUS_PARENT, window_, XCB_CURRENT_TIME);
                xcb_flush(c_);
            }
            if (kind == XCB_FOCUS_IN) focused = true;
            std::free(e);
        }
        return mapped && focused;
    });
}

std::vector<xcb_keycode_t> OtherClient::pressedKeys() {
    while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) {
        if ((e->response_type & 0x7f) == XCB_KEY_PRESS)
            pressed_.push_back(reinterpret_cast<xcb_key_press_event_t*>(e)->detail);
        std::free(e);
    }
    return pressed_;
}
