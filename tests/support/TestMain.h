#pragma once

#include "ui/Toolkit.h"

#include <QApplication>
#include <QTest>

// The main() of a test executable: the application set up as the program sets it up.
#define CINABREL_TEST_MAIN(TestClass)                                                                        \
    int main(int argc, char* argv[])                                                                         \
    {                                                                                                        \
        QApplication application(argc, argv);                                                                \
        ui::setUpToolkit(application);                                                                       \
        QApplication::setQuitOnLastWindowClosed(false);                                                      \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
