#pragma once

namespace platform {

// The busy (hourglass) and default cursor of the whole application.
void setBusyCursor();
void setDefaultCursor();

} // namespace platform
