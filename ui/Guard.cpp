#include "ui/Guard.h"

#include "ui/Platform.h"

#include <exception>

namespace ui {

void guarded(const std::function<void()>& handler)
{
    QString failure;
    try {
        handler();
        return;
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    } catch (...) {
        failure = QStringLiteral("erreur inconnue");
    }
    msgBox(QStringLiteral("Une erreur inattendue est survenue :\r\n") + failure, Icon::Critical);
}

}  // namespace ui
