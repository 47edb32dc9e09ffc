#include "app/Connection.h"
#include "ui/Toolkit.h"
#include "ui/main/Main.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    ui::setUpToolkit(application);
    QApplication::setQuitOnLastWindowClosed(false);
    // The open catalogue, closed once every window is unloaded and before the application object goes.
    Connection session;
    if (!Main(session))
        return 1;
    return QApplication::exec();
}
