#include "support/OtherXClient.h"

#include <X11/Xlib.h>

namespace TestSupport {

namespace {
// Xlib's default handler ends the process on any protocol error; a test wants a result.
bool g_failed = false;
int NoteError(::Display* /*display*/, XErrorEvent* /*error*/) {
    g_failed = true;
    return 0;
}
}  // namespace

OtherXClient::OtherXClient(const std::string& display) {
    connection_ = XOpenDisplay(display.c_str());
}

OtherXClient::~OtherXClient() {
    if (connection_ != nullptr) {
        XCloseDisplay(static_cast<::Display*>(connection_));
    }
}

bool OtherXClient::TakeFocus() {
    auto* display = static_cast<::Display*>(connection_);
    if (display == nullptr) {
        return false;
    }
    XErrorHandler previous = XSetErrorHandler(NoteError);
    g_failed = false;
    if (window_ == 0) {
        window_ = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 200, 200, 0, 0, 0);
        XMapRaised(display, window_);
        // Without a window manager the server maps it at once; the focus needs it viewable.
        XSync(display, False);
    }
    XSetInputFocus(display, window_, RevertToParent, CurrentTime);
    XSync(display, False);
    XSetErrorHandler(previous);
    return !g_failed;
}

}  // namespace TestSupport
