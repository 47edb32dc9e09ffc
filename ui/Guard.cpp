#include "ui/Guard.h"

#include "store/UserError.h"
#include "ui/Platform.h"

#include <new>

namespace ui {

void guarded(const std::function<void()>& handler)
{
    QString failure;
    try {
        handler();
        return;
    } catch (const UserError& error) {
        failure = error.message();
    } catch (const std::bad_alloc&) {
        failure = QStringLiteral("la mémoire est insuffisante");
    } catch (...) {
        // Any other error speaks the language of the library that raised it, not the user's.
        failure = QStringLiteral("erreur interne du programme");
    }
    msgBox(QStringLiteral("Une erreur inattendue est survenue :\r\n") + failure, Icon::Critical);
}

}  // namespace ui
