#pragma once

class QFont;

namespace shell {

// Fills the font with the desktop's general UI font, so the main window follows the
// system's font; falls back to the application default font.
void ApplySystemFont(QFont& font);

} // namespace shell
