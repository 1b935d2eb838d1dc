// Screenshots for the documentation and for checking the look: with VARNEL_SCREENSHOT
// set to a PNG path, the window saves an image of itself once it has settled, then the
// program ends. With VARNEL_QUIT_AFTER_PAINT set, the program ends right after the
// editor's first paint (the start-up bench times that); set to "wrapped", once the
// wrap of a long text has settled after that paint (for its peak memory).
#pragma once

class QWidget;

namespace varnel::qt {

// Does nothing unless VARNEL_SCREENSHOT is set. VARNEL_SCREENSHOT_DELAY gives the wait
// in milliseconds (default 2000).
void ArmScreenshot(QWidget& window);

}  // namespace varnel::qt
