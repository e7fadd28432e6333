#pragma once
// Another program's window on an X server: a client of its own that maps a small window and
// can take the keyboard focus from whichever window has it. Xlib stays inside its source
// file, whose names (Display, Window, None) would clash with the engine's.
#include <string>

namespace TestSupport {

class OtherXClient {
public:
    // Connects to `display` (":N"); Connected() tells whether that worked.
    explicit OtherXClient(const std::string& display);
    ~OtherXClient();
    OtherXClient(const OtherXClient&) = delete;
    OtherXClient& operator=(const OtherXClient&) = delete;

    bool Connected() const { return connection_ != nullptr; }
    // Maps the window (once) and gives it the keyboard focus; false if the server refused.
    bool TakeFocus();

private:
    void* connection_ = nullptr;
    unsigned long window_ = 0;
};

}  // namespace TestSupport
