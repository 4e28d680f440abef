#pragma once
// Tessaly's main-window description: the shell's Tessaly commands and panels with the
// driver that builds TfrmAdvanced and TfrmAlternative.

#include "shell/ui/FormMain.h"

namespace tessaly {

shell::TProgramDescription Description();

} // namespace tessaly
