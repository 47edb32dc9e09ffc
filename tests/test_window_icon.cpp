#include "support/Testing.h"

// The program's icon is built in and drawn at every size a desktop asks for; the windows show it.
class TestWindowIcon : public testing::ProgramTest {
    Q_OBJECT
private slots:
    void drawnAtEverySize_data()
    {
        QTest::addColumn<int>("size");
        for (int size : {16, 32, 48, 256})
            QTest::addRow("%d px", size) << size;
    }

    void drawnAtEverySize()
    {
        QFETCH(int, size);
        const QImage image = QApplication::windowIcon().pixmap(size).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        // The reel's rim, left of its hub, is opaque cinnabar red.
        const QColor rim = image.pixelColor(size * 8 / 128, size * 54 / 128);
        QCOMPARE(rim.alpha(), 255);
        QVERIFY2(rim.red() > 2 * rim.green() && rim.red() > 2 * rim.blue(), qPrintable(rim.name()));
    }

    void mainWindowShowsIt()
    {
        start();
        QWidget* window = Frm_Accueil::instance().window();
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowIcon().pixmap(32).toImage(), QApplication::windowIcon().pixmap(32).toImage());
    }
};

CINABREL_TEST_MAIN(TestWindowIcon)
#include "test_window_icon.moc"
