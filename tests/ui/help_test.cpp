// Help: the green step boxes open the quick help, which grows out of the
// main window's corner and keeps it disabled; Help > Contents installs and
// shows the help file, which the help viewer opens at its contents; the
// About box.
#include <QTextBrowser>

#include "frm_help.h"
#include "help_viewer.h"
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

class HelpTest : public QObject {
    Q_OBJECT

private slots:
    void stepBoxesOpenTheQuickHelp_data() {
        QTest::addColumn<int>("box");
        for (int box = 0; box < 4; ++box) QTest::addRow("%d.", box + 1) << box;
    }
    void stepBoxesOpenTheQuickHelp() {
        QFETCH(int, box);
        Harness h("[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c\r\n");  // the results frame shows box 4.
        frmConverter& window = *h.window;
        window.move(100, 50);
        QTest::mouseClick(h.Find("lblNum" + std::to_string(box)), Qt::LeftButton);
        frmHelp* help = window.QuickHelp();
        QVERIFY(help != nullptr && help->isVisible() && !window.isEnabled());
        QCOMPARE(test::Child<QLabel>(*help, "lblHelpNum")->text(), QString::number(box + 1) + QChar(u'.'));
        const char* const begins[] = {"This is where you specify", "A ringtone can either", "1. Select 'Keypresses'",
                                      "The converted ringtone appears"};
        QVERIFY(test::Child<QLabel>(*help, "lblHelpText")->text().startsWith(QString::fromLatin1(begins[box])));
        QVERIFY(help->width() < 100);  // it has only begun to grow

        // Ten steps: 480 twips right, 1600 down, 6100 x 2630 twips.
        QTRY_VERIFY(!help->Animating());
        QCOMPARE(QRect(help->pos(), help->size()), QRect(132, 157, 407, 175));
        QVERIFY(!window.isEnabled());
        test::Click(*help, "cmdOk");
        QVERIFY(!help->isVisible() && window.isEnabled());
        QVERIFY(!h.Menu("mnuEdit")->isEnabled());  // no ringtone shown: enabling the window leaves it off
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

    // Only web links leave the viewer, for the browser.
    void viewerOpensAtContentsAndHandsOnWebLinks() {
        test::TempFolder folder;
        const std::string path = (folder / "tunehelp.html").string();
        test::WriteBytes(path, "<p>x</p><h1><a name=\"contents\"></a>C</h1><a href=\"https://site.test/\">site</a>");
        std::vector<std::string> opened;
        HelpViewer viewer([&opened](const std::string& address) { opened.push_back(address); });
        QVERIFY(!viewer.Open((folder / "missing.html").string()) && !viewer.isVisible());
        QVERIFY(viewer.Open(path) && viewer.isVisible());
        QCOMPARE(viewer.Source().toString(), QStringLiteral("file://%1#contents").arg(QString::fromStdString(path)));
        auto* browser = test::Child<QTextBrowser>(viewer, "txtHelp");
        emit browser->anchorClicked(QUrl(QStringLiteral("https://site.test/")));
        emit browser->anchorClicked(QUrl(QStringLiteral("file:///etc/passwd")));
        QCOMPARE(opened, std::vector<std::string>{"https://site.test/"});
        QCOMPARE(viewer.Source().fileName(), QStringLiteral("tunehelp.html"));
    }

    void aboutBoxLinksToTheHomePage() {
        Harness h;
        h.Open();
        h.toolkit.QueueForm([](ModalForm& form) {
            QTest::mouseClick(test::Child(form, "lblMyWeb"), Qt::LeftButton);
            test::Click(form, "cmdOK");
        });
        h.Menu("mnuHelpAbout")->trigger();
        QCOMPARE(h.toolkit.FormsShown(), std::vector<std::string>{"About..."});
        QCOMPARE(h.toolkit.WebPages(), std::vector<std::string>{"https://tunewright.example/"});
        QVERIFY(h.toolkit.ScriptUsed() && h.toolkit.Unexpected().empty());
    }
};

TW_UI_TEST_MAIN(HelpTest)
#include "help_test.moc"
