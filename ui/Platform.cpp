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

Answer msgBox(const QString& prompt, Icon icon, const QString& title)
{
    return platform().messageBox(prompt, Buttons::OkOnly, icon, title.isEmpty() ? programTitle() : title);
}

Answer askYesNo(const QString& prompt, Icon icon, const QString& title)
{
    return platform().messageBox(prompt, Buttons::YesNo, icon, title.isEmpty() ? programTitle() : title);
}

QString programTitle() { return QStringLiteral("Cinabrel"); }

}  // namespace ui
