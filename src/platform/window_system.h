// Requests to the window system that the toolkit has no call for.
#pragma once

// Sends the requests the toolkit has queued (a window hidden, say) to the X server at once,
// so that they take effect while this thread waits without running its event loop.
void FlushWindowSystem();
