#pragma once

namespace platform {

// The busy (hourglass) and default cursor of the whole application.
void setBusyCursor();
void setDefaultCursor();

} // namespace platform

namespace platform {

// The busy cursor for the length of a scope; the default cursor comes back
// also when the operation fails with an exception.
class BusyCursor final {
public:
    BusyCursor() { setBusyCursor(); }
    ~BusyCursor() { setDefaultCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace platform
