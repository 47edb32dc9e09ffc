#include "ui/Platform.h"

#include "ui/DesktopPlatform.h"

namespace ui {

namespace {
Platform* installed = nullptr;
}

Platform& platform()
{
    static DesktopPlatform desktop;
    return installed ? *installed : desktop;
}

void setPlatform(Platform* p) { installed = p; }

int msgBox(const QString& prompt, int flags, const QString& title)
{
    return platform().messageBox(prompt, flags, title.isEmpty() ? programTitle() : title);
}

QString programTitle() { return QStringLiteral("Cinabrel"); }

}  // namespace ui
