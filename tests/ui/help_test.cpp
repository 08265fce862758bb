// Help: the green step boxes open the quick help, which grows out of the
// main window's corner and keeps it disabled; Help > Contents installs and
// shows the help file, which the help viewer opens at its contents; the
// About box.
#include <QObject>
#include <QTextBrowser>

#include "frm_help.h"
#include "help_viewer.h"
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

QString LabelText(QWidget* window, const char* name) {
    return window->findChild<QLabel*>(QString::fromLatin1(name))->text();
}

}  // namespace

class HelpTest : public QObject {
    Q_OBJECT

private slots:
    void stepBoxesOpenTheQuickHelp_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("begins");
        QTest::addColumn<int>("paragraphs");
        QTest::newRow("1.") << 0 << "This is where you specify what the original ringtone format is.\n\n1. A " << 4;
        QTest::newRow("2.") << 1 << "A ringtone can either be copied directly" << 4;
        QTest::newRow("3.") << 2 << "1. Select 'Keypresses' to display" << 3;
        QTest::newRow("4.") << 3 << "The converted ringtone appears in the large display here.\n\nFor " << 4;
    }
    void stepBoxesOpenTheQuickHelp() {
        QFETCH(int, box);
        QFETCH(QString, begins);
        QFETCH(int, paragraphs);
        Harness h;
        h.WriteList("Favtones", "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c\r\n");  // the results frame shows box 4.
        frmConverter& window = h.Open();
        window.move(100, 50);
        QTest::mouseClick(h.Find("lblNum" + std::to_string(box)), Qt::LeftButton);
        frmHelp* help = window.QuickHelp();
        QVERIFY(help != nullptr && help->isVisible());
        QCOMPARE(help->windowTitle(), QStringLiteral("Quick Help"));
        QCOMPARE(LabelText(help, "lblHelpNum"), QString::number(box + 1) + QChar(u'.'));
        const QString text = LabelText(help, "lblHelpText");
        QVERIFY2(text.startsWith(begins) && !text.contains(QChar(u'\r')), qPrintable(text));
        QCOMPARE(text.split(QStringLiteral("\n\n")).size(), paragraphs);
        QVERIFY(!window.isEnabled());
        QVERIFY(help->width() < 100);  // it has only begun to grow

        // Ten steps: 480 twips right, 1600 down, 6100 x 2630 twips; then it stays.
        QTRY_VERIFY(!help->Animating());
        QCOMPARE(QRect(help->pos(), help->size()), QRect(132, 157, 407, 175));
        QCOMPARE(help->StartTop(), 750);
        QTest::qWait(50);
        QCOMPARE(help->pos(), QPoint(132, 157));
        QVERIFY(!window.isEnabled());

        help->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        QVERIFY(!help->isVisible() && window.isEnabled());
        QVERIFY(!h.Menu("mnuEdit")->isEnabled());  // no ringtone shown: enabling the window leaves it off
        QTest::mouseClick(h.Find("lblBeginBox0"), Qt::LeftButton);  // decoration only
        window.LoadHelp(7);  // a number without a text
        QCOMPARE(LabelText(help, "lblHelpNum") + LabelText(help, "lblHelpText"), QStringLiteral("7."));
        QVERIFY(help->close() && window.isEnabled());
    }

    void contents() {
        Harness h;
        h.Open();
        const std::string path = (h.home / "tunehelp.html").string();
        h.Menu("mnuHelpContents")->trigger();
        QCOMPARE(h.toolkit.HelpFiles(), std::vector<std::string>{path});
        QVERIFY(test::ReadBytes(path).find("<title>Tunewright Help</title>") != std::string::npos);
        test::WriteBytes(path, "<p>my own notes</p>");  // a file that is there is left as it is
        h.toolkit.SetHelpViewerFails(true);
        h.Menu("mnuHelpContents")->trigger();
        QCOMPARE(test::ReadBytes(path), std::string("<p>my own notes</p>"));
        QCOMPARE(h.Boxes(), std::string("Cannot open Help|exclamation|ok|Errors loading the help file.  Please visit "
                                        "https://tunewright.example/ for help."));
        h.toolkit.ForgetRecords();
        std::filesystem::remove(path);
        std::filesystem::create_symlink(h.home / "nowhere" / "gone.html", path);  // cannot be written
        h.Menu("mnuHelpContents")->trigger();
        QCOMPARE(h.Boxes(), std::string("Help not found|exclamation|ok|The help file tunehelp.html does not exist."));
        QVERIFY(h.toolkit.HelpFiles().empty());
    }

    void viewerOpensAtContentsAndHandsOnWebLinks() {
        test::TempFolder folder;
        const std::string path = (folder / "tunehelp.html").string();
        test::WriteBytes(path, "<p>x</p><h1><a name=\"contents\"></a>C</h1><a href=\"https://site.test/\">site</a>");
        std::vector<std::string> opened;
        HelpViewer viewer([&opened](const std::string& address) { opened.push_back(address); });
        QVERIFY(!viewer.Open((folder / "missing.html").string()) && !viewer.isVisible());
        QVERIFY(viewer.Open(path) && viewer.isVisible());
        QCOMPARE(viewer.Source().toString(), QStringLiteral("file://%1#contents").arg(QString::fromStdString(path)));
        auto* browser = viewer.findChild<QTextBrowser*>(QStringLiteral("txtHelp"));
        emit browser->anchorClicked(QUrl(QStringLiteral("https://site.test/")));
        emit browser->anchorClicked(QUrl(QStringLiteral("file:///etc/passwd")));
        QCOMPARE(opened, std::vector<std::string>{"https://site.test/"});
        QCOMPARE(viewer.Source().fileName(), QStringLiteral("tunehelp.html"));
    }

    void aboutBox() {
        Harness h;
        h.Open();
        std::string texts;
        h.toolkit.QueueForm([&texts](ModalForm& form) {
            for (const char* name : {"lblAppName", "lblMsg3", "lblMsg4", "lblContact", "Label2", "lblMyWeb", "Label3"})
                texts += LabelText(&form, name).toStdString() + "|";
            texts += form.findChild<QPushButton*>(QStringLiteral("cmdOK"))->text().toStdString();
            QTest::mouseClick(form.findChild<QLabel*>(QStringLiteral("lblMyWeb")), Qt::LeftButton);
            form.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        h.Menu("mnuHelpAbout")->trigger();
        QCOMPARE(h.toolkit.FormsShown(), std::vector<std::string>{"About..."});
        QCOMPARE(texts, std::string("Tunewright V3.3 (Build 5)||Please direct any bugs to|bugs@tunewright.example|"
                                    "and visit |https://tunewright.example/|for updates.|&Ok"));
        QCOMPARE(h.toolkit.WebPages(), std::vector<std::string>{"https://tunewright.example/"});
        QVERIFY(h.toolkit.ScriptUsed() && h.toolkit.Unexpected().empty());
    }
};

TW_UI_TEST_MAIN(HelpTest)
#include "help_test.moc"
