#pragma once

class QApplication;

namespace ui {

// Sets up the toolkit the way every window expects it: Qt's own dialogs and buttons in French
// whatever the system's language, one style, the classic faces mapped to metric-compatible ones,
// and the program's icon on every window. Call once after the application object exists.
void setUpToolkit(QApplication& application);

}  // namespace ui
