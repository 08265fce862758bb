// The list commands of the main window with their questions and answers,
// and playing from the button and the list.
#include <QObject>

#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string Two = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c, d\r\n[Other]\r\nRTTTL=Other:d=4,o=5,b=125:e, f\r\n";
const std::string Riff = "[Riff]\r\nRTTTL=Riff:d=4,o=5,b=125:c, d\r\n";

}  // namespace

class ListCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void choosingAList() {
        Harness h;
        h.WriteList("Favtones", Two);
        h.WriteList("Rock", Riff);
        h.Open();
        h.Rows()->SelectText("Tune");
        h.Lists()->SelectText("Favtones");  // the current list again: reloaded, display kept
        QCOMPARE(h.NameField()->text() + '|' + QString::fromStdString(h.SelectedRow()), QStringLiteral("Tune|<none>"));
        h.Rows()->SelectText("Tune");
        h.Lists()->SelectText("Rock");
        QCOMPARE(h.window->RingtoneList().ListName(), std::string("Rock"));
        QCOMPARE(h.RowTexts() + "|" + h.SelectedRow(), std::string("Riff|<none>"));
        QVERIFY(h.NameField()->text().isEmpty() && !h.Button("cmdDelete")->isEnabled());
    }

    void clickingARowShowsItsRingtone() {
        Harness h;
        h.WriteList("Favtones", Two);
        h.Open();
        h.ShowActive();
        h.ClickRow(0);
        QCOMPARE(h.NameField()->text() + '|' + h.Text("txtRingtone"), QStringLiteral("Other|3, 4"));
        h.WriteList("Favtones", "");  // a row whose entry is gone shows what the file gives
        h.ClickRow(1);
        QCOMPARE(h.NameField()->text(), QStringLiteral("Tune"));
        QVERIFY(h.Shown("txtMessage") && h.toolkit.Boxes().empty());
    }

    void deleteRingtone_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void deleteRingtone() {
        QFETCH(bool, yes);
        Harness h;
        h.WriteList("Favtones", Two);
        h.Open();
        h.Rows()->SelectText("Tune");
        h.toolkit.QueueAnswer(yes ? MsgAnswer::Yes : MsgAnswer::No);
        h.Button("cmdDelete")->click();
        QCOMPARE(h.Boxes(), std::string("Delete Ringtone|question|yesno|Do you want to delete 'Tune' from the 'Favtones' list?"));
        QCOMPARE(h.ListFile(), yes ? std::string("[Other]\r\nRTTTL=Other:d=4,o=5,b=125:e, f\r\n") : Two);
        QCOMPARE(h.RowTexts() + "|" + h.SelectedRow(), std::string(yes ? "Other|<none>" : "Other,Tune|Tune"));
    }

    void newList() {
        Harness h;
        h.WriteList("Favtones", Two);
        h.Open();
        h.Rows()->SelectText("Tune");
        h.QueueListName("Rock");
        h.Menu("mnuFileNew")->trigger();
        QCOMPARE(h.toolkit.FormsShown(), std::vector<std::string>{"New Ringtone List"});
        QCOMPARE(h.ListTexts() + "|" + h.window->RingtoneList().ListName(), std::string("Favtones,Rock|Rock"));
        QCOMPARE(h.Lists()->currentText(), QStringLiteral("Rock"));
        QVERIFY(std::filesystem::exists(h.ListPath("Rock")) && h.ListFile("Rock").empty());
        QVERIFY(h.RowTexts().empty() && !h.Shown("fraResults") && h.Menu("mnuFileDelete")->isEnabled());
        QCOMPARE(h.ListFile("Favtones"), Two);
        QCOMPARE(h.Boxes(), std::string());
    }

    void blankListNameKeepsTheDialogOpen() {
        Harness h;
        h.Open();
        bool stayedOpen = false;  // a blank name leaves the dialog open
        h.toolkit.QueueForm([&](ModalForm& shown) {
            shown.findChild<QLineEdit*>(QStringLiteral("txtListName"))->setText(QStringLiteral("   "));
            shown.findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
            stayedOpen = !shown.DialogAccepted() && shown.result() != QDialog::Accepted;
            shown.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        });
        h.Menu("mnuFileNew")->trigger();
        QVERIFY(stayedOpen && !h.window->DialogAccepted());
        QVERIFY(std::filesystem::is_empty(h.home.path()));
    }

    void listNamesRefused_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("box");
        const QString made = QStringLiteral("New Ringtone List|exclamation|ok|The new list was not made.\r\n\r\n");
        const QString renamed = QStringLiteral("Rename Ringtone List|exclamation|ok|The list 'Rock' was not renamed.\r\n\r\n");
        QTest::newRow("new: a list already") << "mnuFileNew" << "Jazz" << made + "there is a list named 'Jazz' already.";
        QTest::newRow("new: slash") << "mnuFileNew" << "a/b" << made + "'a/b' cannot be a list name: it holds \"/\".";
        QTest::newRow("new: menu") << "mnuFileNew" << " MENU "
                                   << made + "'MENU' cannot be a list name: menu.dat holds the web menus.";
        QTest::newRow("rename onto a list") << "mnuFileRename" << "Jazz" << renamed + "there is a list named 'Jazz' already.";
        QTest::newRow("rename: leading dot") << "mnuFileRename" << ".x"
                                             << renamed + "'.x' cannot be a list name: it begins with \".\".";
    }
    void listNamesRefused() {
        QFETCH(QString, command);
        QFETCH(QString, name);
        QFETCH(QString, box);
        Harness h;
        h.WriteList("Rock", Two);
        h.WriteList("Jazz", Riff);
        h.Open();
        h.Lists()->SelectText("Rock");
        h.QueueListName(name.toStdString());
        h.Menu(command.toStdString())->trigger();
        QCOMPARE(QString::fromStdString(h.Boxes()), box);
        QCOMPARE(h.ListFile("Rock") + h.ListFile("Jazz"), Two + Riff);
        QCOMPARE(std::distance(std::filesystem::directory_iterator(h.home.path()), {}), 2);
        QCOMPARE(h.ListTexts() + "|" + h.window->RingtoneList().ListName(), std::string("Jazz,Rock|Rock"));
    }

    void renameList() {
        Harness h;
        h.WriteList("Rock", Two);
        h.WriteList("Jazz", "");
        h.Open();
        h.Lists()->SelectText("Rock");
        h.Rows()->SelectText("Tune");
        h.QueueListName("Pop");
        h.Menu("mnuFileRename")->trigger();
        QCOMPARE(h.toolkit.FormsShown(), std::vector<std::string>{"Rename Ringtone List"});
        QVERIFY(!std::filesystem::exists(h.ListPath("Rock")));
        QCOMPARE(h.ListFile("Pop"), Two);
        QCOMPARE(h.ListTexts() + "|" + h.window->RingtoneList().ListName(), std::string("Jazz,Pop|Pop"));
        QCOMPARE(h.Lists()->currentText(), QStringLiteral("Pop"));
        QCOMPARE(h.RowTexts() + "|" + h.SelectedRow(), std::string("Other,Tune|Tune"));
        QCOMPARE(h.Boxes(), std::string());
    }

    void renameListWithoutFileCreatesOne() {
        Harness h;
        h.Open();  // "Favtones" is offered without a file
        h.QueueListName("Mine");
        h.Menu("mnuFileRename")->trigger();
        QVERIFY(std::filesystem::exists(h.ListPath("Mine")) && h.ListFile("Mine").empty());
        QCOMPARE(h.ListTexts(), std::string("Mine"));
    }

    void clearList_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void clearList() {
        QFETCH(bool, yes);
        Harness h;
        h.WriteList("Favtones", Two);
        h.WriteList("Rock", Riff);
        h.Open();
        h.Rows()->SelectText("Tune");
        h.toolkit.QueueAnswer(yes ? MsgAnswer::Yes : MsgAnswer::No);
        h.Menu("mnuFileClear")->trigger();
        QCOMPARE(h.Boxes(), std::string("Clear Favtones List|question|yesno|All ringtones in this list will be lost!"
                                        "\r\n\r\nAre you sure you want to clear the 'Favtones' list?"));
        QCOMPARE(h.ListFile(), yes ? std::string() : Two);
        QCOMPARE(h.Shown("fraResults"), !yes);
        QCOMPARE(h.NameField()->text(), yes ? QString() : QStringLiteral("Tune"));
        QCOMPARE(h.ListFile("Rock"), Riff);
    }

    void deleteList_data() {
        QTest::addColumn<QString>("lists");
        QTest::addColumn<QString>("deleted");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("after");  // the lists, then the current list
        QTest::newRow("middle of three") << "a,b,c" << "b" << true << "a,c|a";
        QTest::newRow("first of three") << "a,b,c" << "a" << true << "b,c|b";
        QTest::newRow("last of three") << "a,b,c" << "c" << true << "a,b|b";
        QTest::newRow("one of two") << "a,b" << "b" << true << "a|a";
        QTest::newRow("answered No") << "a,b" << "b" << false << "a,b|b";
    }
    void deleteList() {
        QFETCH(QString, lists);
        QFETCH(QString, deleted);
        QFETCH(bool, yes);
        QFETCH(QString, after);
        Harness h;
        for (const QString& list : lists.split(QChar(u',')))
            h.WriteList(list.toStdString(), "[" + list.toStdString() + "1]\r\nRTTTL=x:d=4,o=5,b=125:c, d\r\n");
        h.Open();
        h.Lists()->SelectText(deleted.toStdString());
        h.Rows()->SetListIndex(0);
        h.toolkit.QueueAnswer(yes ? MsgAnswer::Yes : MsgAnswer::No);
        h.Menu("mnuFileDelete")->trigger();
        const std::string T = deleted.toStdString();
        QCOMPARE(h.Boxes(), "Delete " + T + " List|question|yesno|All ringtones in the '" + T +
                                "' list will be lost if you continue!\r\n\r\nAre you sure you want to delete the '" + T +
                                "' list?");
        QCOMPARE(std::filesystem::exists(h.ListPath(T)), !yes);
        const std::string current = h.window->RingtoneList().ListName();
        QCOMPARE(QString::fromStdString(h.ListTexts() + "|" + current), after);
        QCOMPARE(h.Lists()->currentText().toStdString(), current);
        QCOMPARE(h.RowTexts(), current + "1");
        QCOMPARE(h.NameField()->text().isEmpty(), yes);
    }

    void playing() {
        Harness h;
        h.WriteList("Favtones", Two + "[Zero]\r\nRTTTL=Zero:d=4,o=5,b=0:c, d\r\n");
        h.Open();
        h.ShowActive();
        h.ClickRow(0);
        h.Button("cmdPlaySound")->click();
        QCOMPARE(h.player.Played().size(), std::size_t{1});
        QTest::mouseDClick(h.Rows()->viewport(), Qt::LeftButton, {}, h.Rows()->visualItemRect(h.Rows()->item(1)).center());
        QCOMPARE(h.window->Ringtone().Name(), std::string("Tune"));  // the row under the pointer
        QCOMPARE(h.player.Played().size(), std::size_t{2});
        QVERIFY(h.player.Played()[0] != h.player.Played()[1]);
        h.Rows()->SelectText("Zero");  // a tempo of 0 cannot be rendered: silence
        h.Button("cmdPlaySound")->click();
        h.player.FailWith("no sound output device is available");
        h.Rows()->SelectText("Tune");
        h.Button("cmdPlaySound")->click();
        QCOMPARE(h.player.Played().size(), std::size_t{2});
        const std::vector<std::string> calls = h.player.Calls();
        QCOMPARE(std::count(calls.begin(), calls.end(), "play"), 3);  // the last one failed
        QVERIFY(h.toolkit.Boxes().empty() && h.Button("cmdPlaySound")->isEnabled());
        QCOMPARE(h.toolkit.BusyDepth(), 0);
    }
};

TW_UI_TEST_MAIN(ListCommandsTest)
#include "list_commands_test.moc"
