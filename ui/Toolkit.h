#pragma once

class QApplication;

namespace ui {

// Sets up the toolkit the way every window expects it: Qt's own dialogs and buttons in French
// whatever the system's language, one style, and the classic faces mapped to metric-compatible
// ones. Call once after the application object exists.
void setUpToolkit(QApplication& application);

}  // namespace ui
