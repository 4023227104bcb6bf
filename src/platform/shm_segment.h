// The shared-memory segment (MIT-SHM) that the X server copies screen pixels into. One
// small segment is kept for the whole run and the screen travels through it in bands:
// a fresh segment per grab costs a page fault per page on both sides, more than the
// copy itself.
#pragma once

#include "platform/x11_connection.h"

#include <QtGlobal>

struct ShmSegment {
    uint32_t id = 0; // the server's name for it
    uchar* data = nullptr;
    size_t size = 0;
};

// The kept segment, made on first use; nullptr when the server cannot read this process's
// memory (MIT-SHM 1.2 descriptor passing over a local socket is needed) or it failed.
const ShmSegment* ScreenShmSegment(const X11Connection& x);

// After a failed request on the segment: stop using shared memory for the rest of the run.
void DisableScreenShm(const X11Connection& x);
