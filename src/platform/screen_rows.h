// Copies of the screen's pixels into rows of memory, as the server lays them out; the
// grab into a picture (screen_grab.h) and the command line's captures share it.
#pragma once

#include "platform/rgb32_rows.h"
#include "platform/x11_connection.h"

#include <QRect>
#include <cstdlib>
#include <memory>

// How the pixels travel: through a shared-memory segment when the server can read this
// process's memory (a local display), else in the reply of a plain image request.
// GetImage always takes the second way (tests and benchmarks compare the two).
enum class GrabTransport { Auto, GetImage };

// The server's pixel layouts that a copy takes over as they are. Rgb32 is B, G, R, X in
// memory (24- and 32-bit displays); Unknown layouts are not copied.
enum class ScreenPixels { Unknown, Rgb32, Rgb30, Bgr888, Rgb16, Rgb555 };
ScreenPixels ScreenPixelsOf(const X11Connection& x);

// Copies the screen rectangle (device pixels of the root window) into rows of its size
// laid out as ScreenPixelsOf says, `stride` bytes apart. Parts of the rectangle outside
// the screen, or on it but shown by no monitor (the corner beside a smaller monitor),
// come out black, as does everything the server refuses to give (all of it for an Unknown
// layout). 32-bit pixels come out opaque (fourth byte 255).
void CopyScreenRows(const X11Connection& x, const QRect& rect, uchar* bits, qsizetype stride,
                    GrabTransport transport = GrabTransport::Auto);

// Memory for `bytes` of pixels, released with std::free. Large blocks ask for huge pages:
// fresh screen-sized memory otherwise costs a page fault for every 4 KiB on first write.
uchar* AllocatePixels(size_t bytes);

// A screen rectangle as owned Rgb32 rows, for code that does without a QImage.
class Rgb32Capture {
  public:
    // Copies the rectangle as CopyScreenRows does; false (and null rows) when the display's
    // layout is not Rgb32, the rectangle is empty or memory is short.
    bool grab(const X11Connection& x, const QRect& rect,
              GrabTransport transport = GrabTransport::Auto);
    Rgb32Rows rows() const { return rows_; }

  private:
    std::unique_ptr<uchar, void (*)(void*)> memory_{nullptr, std::free};
    Rgb32Rows rows_;
};
