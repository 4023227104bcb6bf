#include "platform/shm_segment.h"

#include "platform/x11_extensions.h"

#include <cstdlib>
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>
#include <xcb/shm.h>

namespace {

// The segment's size. The program with its window grabs many times over its run on the
// toolkit's connection and pays for the segment's pages once, on both sides; a larger
// segment saves it round trips. A process on a connection of its own (a capture from the
// command line) grabs once: there the pages cost more than the round trips they save
// (measured at 1920x1080: 4 MB made the whole capture about 10 ms slower than 1 MB).
size_t SegmentBytes(const X11Connection& x) {
    return x.toolkitOwned ? size_t(4) << 20 : size_t(1) << 20;
}

bool LocalSocket(xcb_connection_t* c) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getsockname(xcb_get_file_descriptor(c), reinterpret_cast<sockaddr*>(&address), &length))
        return false;
    return address.ss_family == AF_UNIX;
}

// Descriptor passing fails cleanly where the server cannot share our memory, whereas an
// old-style segment id could name some other segment on a remote host.
ShmSegment* Create(const X11Connection& x) {
    if (!LocalSocket(x.xcb) || !ExtensionsOf(x).shmDescriptors) return nullptr;
    const size_t bytes = SegmentBytes(x);
    const int fd = memfd_create("qelshot-screen", MFD_CLOEXEC);
    if (fd < 0) return nullptr;
    void* data = MAP_FAILED;
    if (ftruncate(fd, off_t(bytes)) == 0)
        data = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, fd, 0);
    if (data == MAP_FAILED) {
        close(fd);
        return nullptr;
    }
    auto* segment = new ShmSegment{xcb_generate_id(x.xcb), static_cast<uchar*>(data), bytes};
    // The library sends the descriptor and closes it.
    xcb_generic_error_t* error =
        xcb_request_check(x.xcb, xcb_shm_attach_fd_checked(x.xcb, segment->id, fd, 0));
    if (error) {
        std::free(error);
        munmap(data, bytes);
        delete segment;
        return nullptr;
    }
    return segment;
}

// Process-wide, as the connection it is attached on is (X11() keeps one for the whole run):
// the segment is kept to the end of the run and the server drops it with the connection.
// `gDecided` stays set once the segment was made or refused: after the server has refused
// it, or failed a request on it, the grabs use plain image requests without trying again.
ShmSegment* gSegment = nullptr;
bool gDecided = false;

} // namespace

const ShmSegment* ScreenShmSegment(const X11Connection& x) {
    if (!gDecided) {
        gDecided = true;
        gSegment = Create(x);
    }
    return gSegment;
}

void DisableScreenShm(const X11Connection& x) {
    gDecided = true;
    if (!gSegment) return;
    xcb_shm_detach(x.xcb, gSegment->id);
    xcb_flush(x.xcb);
    munmap(gSegment->data, gSegment->size);
    delete gSegment;
    gSegment = nullptr;
}
