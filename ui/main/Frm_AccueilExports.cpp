#include "ui/main/Frm_Accueil.h"

#include "app/Connection.h"
#include "export/ListingFile.h"
#include "ui/Guard.h"

#include <QAction>
#include <QGroupBox>
#include <QPointer>
#include <QScopeGuard>

void Frm_Accueil::connectExports(QMainWindow* window)
{
    ui::onEvent(window->findChild<QAction*>(QStringLiteral("mnuexporter")), &QAction::triggered, [] {
        if (exports::writeListingFile())
            exports::openListingFile();
    });
    ui::onEvent(window->findChild<QAction*>(QStringLiteral("mnuapercu")), &QAction::triggered,
                [] { exports::openListingFile(); });
    ui::onEvent(window->findChild<QAction*>(QStringLiteral("mnu_excel")), &QAction::triggered, [this] {
        const QPointer<QGroupBox> fra_export = control<QGroupBox>(QStringLiteral("fra_export"));
        fra_export->show();
        // Hidden again however the export ends.
        const auto hide = qScopeGuard([fra_export] {
            if (fra_export)
                fra_export->hide();
        });
        Connection::exporter_excel();
    });
}
