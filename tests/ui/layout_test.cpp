// The main window's layout: the design figures at the design size, the list
// column and the results area following a larger window, the minimum size,
// maximizing and minimizing.
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    // At the design size the client area is 10035 x 6120 twips: the results
    // frame 7035 x 4365, the list column 5760 high (15 twips a pixel).
    void designFigures_data() {
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("fraRingtones") << QRect(4, 4, 185, 384);
        QTest::newRow("fraResults") << QRect(196, 96, 469, 291);
        QTest::newRow("cmdPlaySound") << QRect(396, 246, 65, 41);
        QTest::newRow("lblMyWeb") << QRect(152, 391, 305, 14);
    }
    void designFigures() {
        QFETCH(QRect, pixels);
        Harness h;
        h.Open();
        QCOMPARE(h.Find("client")->size(), QSize(669, 408));
        QCOMPARE(h.Find(QTest::currentDataTag())->geometry(), pixels);
    }

    void windowSizeChanges() {
        Harness h;
        frmConverter& window = h.Open();
        const auto results = [&h] { return h.Find("fraResults")->geometry(); };
        const auto client = [&h] { return h.Find("client")->size(); };
        const QRect design = results();

        window.resize(1000, 700);
        QCOMPARE(results(), QRect(196, 96, client().width() - 200, client().height() - 117));
        QCOMPARE(h.Find("fraRingtones")->height(), client().height() - 24);
        QCOMPARE(h.Find("cmdPlaySound")->pos(), QPoint(client().width() - 273, client().height() - 162));
        QCOMPARE(h.Find("lblCopy")->y(), client().height() - 17);
        QCOMPARE(h.Find("fraDisplayAs")->geometry(), QRect(532, 4, 133, 89));  // keeps its place

        window.resize(300, 200);  // snaps to 10155 x 4965 twips outside, 10035 wide inside
        QCOMPARE(client(), QSize(669, 283));
        QCOMPARE(results().size(), QSize(469, 166));

        window.showMaximized();
        QTRY_VERIFY(client().width() > 669);
        QCOMPARE(results().width(), client().width() - 200);
        window.showNormal();
        window.resize(669, 426);
        QTRY_COMPARE(results(), design);
        window.showMinimized();
        window.Form_Resize();
        QCOMPARE(results(), design);
    }
};

TW_UI_TEST_MAIN(LayoutTest)
#include "layout_test.moc"
