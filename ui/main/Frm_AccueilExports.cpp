#include "ui/main/Frm_Accueil.h"

#include "export/ExporterExcel.h"
#include "export/ListingFile.h"
#include "ui/Guard.h"

#include <QAction>
#include <QGroupBox>
#include <QPointer>
#include <QScopeGuard>

void Frm_Accueil::connectExports()
{
    const Frm_AccueilControls& c = controls_;
    ui::onEvent(c.mnuexporter, &QAction::triggered, [] {
        if (exports::writeListingFile())
            exports::openListingFile();
    });
    ui::onEvent(c.mnuapercu, &QAction::triggered, [] { exports::openListingFile(); });
    ui::onEvent(c.mnu_excel, &QAction::triggered, [this] {
        const QPointer<QGroupBox> fra_export = controls().fra_export;
        fra_export->show();
        // Hidden again however the export ends.
        const auto hide = qScopeGuard([fra_export] {
            if (fra_export)
                fra_export->hide();
        });
        Connection::exporter_excel();
    });
}
