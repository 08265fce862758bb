// The sorted list and combo boxes, the text shown for stored bytes and the
// file dialog filters.
#include "file_filters.h"
#include "ui_test_support.h"

using namespace tw;

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void sortedWithoutCase_data() {
        QTest::addColumn<QString>("added");
        QTest::addColumn<QString>("sorted");
        QTest::addColumn<int>("newIndex");
        QTest::newRow("case is ignored") << "beta,Alpha,gamma,Delta" << "Alpha,beta,Delta,gamma" << 2;
        QTest::newRow("then byte order") << "b,B,a" << "a,B,b" << 0;
        QTest::newRow("equal: later after earlier") << "x,y,x" << "x,x,y" << 1;
    }
    void sortedWithoutCase() {
        QFETCH(QString, added);
        QFETCH(QString, sorted);
        QFETCH(int, newIndex);
        SortedListBox box;
        for (const QString& item : added.split(QChar(u','))) box.AddItem(item.toStdString());
        QCOMPARE(QString::fromStdString(test::Join(box.Items())), sorted);
        QCOMPARE(box.NewIndex(), newIndex);
        QCOMPARE(box.item(newIndex)->text(), QString::fromStdString(box.List(newIndex)));
    }

    // Code that selects runs the click handler, even for the entry selected;
    // so does the user choosing it again.
    void codeSelectionRunsHandlerEvenWhenSelected() {
        SortedComboBox box;
        int clicks = 0;
        box.OnClick([&] { ++clicks; });
        for (const char* name : {"b", "a"}) box.AddItem(name);
        QCOMPARE(box.currentIndex(), -1);
        box.SetListIndex(1);
        box.SetListIndex(1);
        QVERIFY(box.SelectText("a") && !box.SelectText("A"));
        box.SetListIndex(-1);
        QCOMPARE(clicks, 3);
        emit box.activated(1);
        QCOMPARE(clicks, 4);
    }

    void shownText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("utf-8") << QByteArray("\xC3\xA9t\xC3\xA9") << QString::fromUtf8("\xC3\xA9t\xC3\xA9");
        QTest::newRow("windows-1252") << QByteArray("\x93hi\x94 \x80") << QString::fromUtf8("\xE2\x80\x9Chi\xE2\x80\x9D \xE2\x82\xAC");
        QTest::newRow("cut utf-8") << QByteArray("a\xC3") << QString::fromUtf8("a\xC3\x83");
        QTest::newRow("line ends") << QByteArray("a\r\nb\rc") << QStringLiteral("a\nb\nc");
    }
    void shownText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QCOMPARE(ShownLines(bytes.toStdString()), shown);
    }

    void nameFilters_data() {
        QTest::addColumn<QString>("filterList");
        QTest::addColumn<QStringList>("filters");
        QTest::newRow("open RTTTL") << "All Files (*.*)|*.*|Chimekit/RTTTL Files (*.txt)|*.txt"
                                    << QStringList{"All Files (*.*) (*)", "Chimekit/RTTTL Files (*.txt) (*.txt)"};
        QTest::newRow("several patterns") << "Text|*.txt;*.key" << QStringList{"Text (*.txt *.key)"};
        QTest::newRow("no pattern") << "Anything" << QStringList{"Anything (*)"};
    }
    void nameFilters() {
        QFETCH(QString, filterList);
        QFETCH(QStringList, filters);
        QCOMPARE(QtNameFilters(filterList.toStdString()), filters);
    }
};

TW_UI_TEST_MAIN(ControlsTest)
#include "controls_test.moc"
