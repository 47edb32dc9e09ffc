#include "ui/Toolkit.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

namespace ui {

void setUpToolkit(QApplication& application)
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    auto* translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont::insertSubstitutions(
            QStringLiteral("MS Sans Serif"),
            {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont base(QStringLiteral("MS Sans Serif"));
    base.setPointSizeF(8.25);
    QApplication::setFont(base);
    QApplication::setApplicationName(QStringLiteral("Cinabrel"));
    QApplication::setApplicationVersion(QStringLiteral(CINABREL_VERSION));
    // Every window takes the program's icon; the desktop matches them with the installed entry.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/cinabrel.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("cinabrel"));
}

}  // namespace ui
