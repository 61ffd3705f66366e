#pragma once

#include <QString>

namespace platform {

// The program folder: $POSTRIX_HOME when set, else $XDG_DATA_HOME/postrix
// (~/.local/share/postrix). Ends in "/".
QString programFolder();

} // namespace platform
