#include "support/Testing.h"

using namespace testing;

namespace {

const Frm_AccueilControls& accueil() { return Frm_Accueil::instance().controls(); }

QList<QRgb> pixelsDown(const QImage& image, int x)
{
    QList<QRgb> line;
    for (int y = 0; y < image.height(); ++y)
        line.append(image.pixel(x, y));
    return line;
}

}  // namespace

class TestUserFaults : public QObject {
    Q_OBJECT
private slots:
    // The options window looks the same without Label1, whatever the style and the size.
    void optionsLabel1IsNeverSeen()
    {
        TestProgram program;
        QVERIFY(startProgram());
        accueil().mnu_audio->trigger();
        QMainWindow* window = frm_option::instance().window();
        QLabel* label = frm_option::instance().controls().Label1;
        const QString style = QApplication::style()->name();
        const auto restore = qScopeGuard([&] { QApplication::setStyle(style); });
        for (const QString& name : QStyleFactory::keys()) {
            QApplication::setStyle(name);
            for (const QSize& size : {window->size(), window->size() * 2}) {
                window->resize(size);
                const QImage shown = label->parentWidget()->grab(label->geometry()).toImage();
                label->hide();
                const QImage hidden = label->parentWidget()->grab(label->geometry()).toImage();
                label->show();
                QVERIFY2(shown == hidden, qPrintable(name));
            }
        }
    }

    // Beyond the last column the header looks like a column without a caption, at any width.
    void headerGoesOnPastTheLastColumn()
    {
        TestProgram program;
        program.insert(1, "Alien");
        QVERIFY(startProgram());
        ui::ListView* list = accueil().List;
        QHeaderView* header = list->header();
        for (int spare : {12, 200}) {
            list->resize(header->length() + spare + list->width() - header->width(), list->height());
            const QImage shown = header->grab().toImage();
            QCOMPARE(pixelsDown(shown, header->length() + spare / 2),
                     pixelsDown(shown, header->sectionSize(0) - 8));
        }
    }
};

CINABREL_TEST_MAIN(TestUserFaults)
#include "test_user_faults.moc"
