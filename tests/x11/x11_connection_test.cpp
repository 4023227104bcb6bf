#include "platform/x11_connection.h"

#include <gtest/gtest.h>

// Xlib's macros (None, Bool, ...) would clash with the test framework's names.
#include <X11/Xlib.h>

TEST(X11Connection, SharesTheToolkitsConnectionAndRecordsProtocolErrors) {
    const X11Connection* x = X11();
    ASSERT_NE(x, nullptr);
    EXPECT_TRUE(x->toolkitOwned);
    ASSERT_NE(x->display, nullptr);
    EXPECT_EQ(X11(), x);
    // A request on a window that does not exist: recorded, and the program goes on.
    XUnmapWindow(x->display, 0x3fffffff);
    XSync(x->display, False);
    EXPECT_EQ(LastX11ErrorCode(), BadWindow);
    EXPECT_NE(X11Atom(*x, "_NET_ACTIVE_WINDOW"), 0u);
}
