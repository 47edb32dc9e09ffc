#include "app/Connection.h"
#include "ui/Toolkit.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    ui::setUpToolkit(application);
    QApplication::setQuitOnLastWindowClosed(false);
    if (!Connection::Main())
        return 1;
    const int status = QApplication::exec();
    Connection::reset();
    return status;
}
