#include "stats/ShareBars.h"
#include "support/Testing.h"
#include "ui/Controls.h"

namespace {

constexpr int kBarColumn = 3;

// The pixels along the middle line of a cell, as the list paints them, that are of a colour.
int barLength(ui::ListView& list, int row, const std::function<bool(QColor)>& ofBar)
{
    const QImage painted = list.viewport()->grab().toImage();
    const QRect cell = list.visualRect(list.model()->index(row, kBarColumn));
    int length = 0;
    for (int x = cell.left(); x <= cell.right(); ++x)
        length += ofBar(painted.pixelColor(x, cell.center().y())) ? 1 : 0;
    return length;
}

}  // namespace

// The bars of the statistics' tables, as they are painted: what a scenario cannot see.
class TestStatsBars : public QObject {
    Q_OBJECT
private slots:
    // A bar as long as its row's films, the largest row's filling its cell but for a margin; a row
    // of few films still shows one, a row of none none; a row selected shows its bar light.
    void barsFollowTheFilms()
    {
        ui::ListView list;
        for (const char* caption : {"Genre", "Films", "Part", ""})
            list.addColumn(QString::fromUtf8(caption), 1500);
        auto* bars = new stats::ShareBars(&list);
        list.setItemDelegateForColumn(kBarColumn, bars);
        bars->setCounts({400, 200, 1, 0});
        list.setRows({{"Drame"}, {"Comédie"}, {"Western"}, {"Aucun"}});
        list.resize(480, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        // No row current: the current one is tinted.
        list.rewind();

        const auto blue = [](QColor c) { return c.rgb() == ui::formBlue().darker(115).rgb(); };
        const int room = list.visualRect(list.model()->index(0, kBarColumn)).width() - 6;
        QCOMPARE(barLength(list, 0, blue), room);
        QCOMPARE(barLength(list, 1, blue), room / 2);
        QCOMPARE(barLength(list, 2, blue), 1);
        QCOMPARE(barLength(list, 3, blue), 0);

        // On the selection's dark blue, the bar is light.
        list.selectRow(1);
        QCOMPARE(barLength(list, 1, blue), 0);
        QCOMPARE(barLength(list, 1, [](QColor c) { return c.lightness() > 200; }), room / 2);
    }
};

CINABREL_TEST_MAIN(TestStatsBars)
#include "test_stats_bars.moc"
