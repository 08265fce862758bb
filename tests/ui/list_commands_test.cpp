// The list commands of the main window with their questions and answers,
// and playing from the button and the list.
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string Other = "[Other]\r\nRTTTL=Other:d=4,o=5,b=125:e, f\r\n";
const std::string Two = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c, d\r\n" + Other;
const std::string Riff = "[Riff]\r\nRTTTL=Riff:d=4,o=5,b=125:c, d\r\n";

// "&Delete" and "C&lear List" on Favtones showing Tune, beside a list Rock.
struct Question {
    const char* name;
    const char* command;
    bool yes;
    std::string box, file, after;  // the list file, then the rows|selected row|name shown
};
const std::string DeleteTune =
    "Delete Ringtone|question|yesno|Do you want to delete 'Tune' from the 'Favtones' list?";
const std::string ClearFavtones = "Clear Favtones List|question|yesno|All ringtones in this list will be lost!\r\n\r\n"
                                  "Are you sure you want to clear the 'Favtones' list?";
const Question Questions[] = {
    {"delete ringtone, Yes", "cmdDelete", true, DeleteTune, Other, "Other|<none>|"},
    {"delete ringtone, No", "cmdDelete", false, DeleteTune, Two, "Other,Tune|Tune|Tune"},
    {"clear list, Yes", "mnuFileClear", true, ClearFavtones, "", "|<none>|"},
    {"clear list, No", "mnuFileClear", false, ClearFavtones, Two, "Other,Tune|Tune|Tune"},
};

const std::string Made = "New Ringtone List|exclamation|ok|The new list was not made.\r\n\r\n";
const std::string Kept = "Rename Ringtone List|exclamation|ok|The list 'Rock' was not renamed.\r\n\r\n";
struct ListName {
    const char* name;
    const char* command;
    const char* typed;
    std::string box;
    const char* files;
    const char* after;  // the lists, the current list, its choice, the rows, the row selected
};
const ListName ListNames[] = {
    {"new", "mnuFileNew", "Pop", "", "Jazz.dat Pop.dat Rock.dat ", "Jazz,Pop,Rock|Pop|Pop||<none>"},
    {"rename", "mnuFileRename", "Pop", "", "Jazz.dat Pop.dat ", "Jazz,Pop|Pop|Pop|Other,Tune|Tune"},
    {"new: a list already", "mnuFileNew", "Jazz", Made + "there is a list named 'Jazz' already.",
     "Jazz.dat Rock.dat ", "Jazz,Rock|Rock|Rock|Other,Tune|Tune"},
    {"new: slash", "mnuFileNew", "a/b", Made + "'a/b' cannot be a list name: it holds \"/\".", "Jazz.dat Rock.dat ",
     "Jazz,Rock|Rock|Rock|Other,Tune|Tune"},
    {"rename onto a list", "mnuFileRename", "Jazz", Kept + "there is a list named 'Jazz' already.",
     "Jazz.dat Rock.dat ", "Jazz,Rock|Rock|Rock|Other,Tune|Tune"},
};

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
        QCOMPARE(h.NameField()->text().toStdString() + '|' + h.SelectedRow(), std::string("Tune|<none>"));
        h.Rows()->SelectText("Tune");
        h.Lists()->SelectText("Rock");
        QCOMPARE(h.window->RingtoneList().ListName(), std::string("Rock"));
        QCOMPARE(h.RowTexts() + "|" + h.SelectedRow(), std::string("Riff|<none>"));
        QVERIFY(h.NameField()->text().isEmpty() && !h.Button("cmdDelete")->isEnabled());
    }

    void clickingARowShowsItsRingtone() {
        Harness h(Two);
        h.ShowActive();
        h.ClickRow(0);
        QCOMPARE(h.NameField()->text() + '|' + h.Text("txtRingtone"), QStringLiteral("Other|3, 4"));
        h.WriteList("Favtones", "");  // a row whose entry is gone shows what the file gives
        QTest::keyClick(h.Rows(), Qt::Key_Down);
        QCOMPARE(h.NameField()->text(), QStringLiteral("Tune"));
        QVERIFY(h.Shown("txtMessage") && h.toolkit.Boxes().empty());
    }

    void questionsAnswered_data() { test::AddRows(Questions); }
    void questionsAnswered() {
        const Question& row = test::TheRow(Questions);
        Harness h;
        h.WriteList("Rock", Riff);
        h.WriteList("Favtones", Two);
        h.Open();
        h.Rows()->SelectText("Tune");
        h.Answer(row.yes);
        if (row.command[0] == 'c') h.Button(row.command)->click();
        else h.Menu(row.command)->trigger();
        QCOMPARE(h.Boxes(), row.box);
        QCOMPARE(h.ListFile(), row.file);
        QCOMPARE(h.RowTexts() + "|" + h.SelectedRow() + "|" + h.NameField()->text().toStdString(), row.after);
        QCOMPARE(h.Shown("fraResults"), !row.file.empty());
        QCOMPARE(h.ListFile("Rock"), Riff);
    }

    // With Rock current, its Tune shown, beside Jazz: new and rename list,
    // done or refused.
    void listNames_data() { test::AddRows(ListNames); }
    void listNames() {
        const ListName& row = test::TheRow(ListNames);
        Harness h;
        h.WriteList("Rock", Two);
        h.WriteList("Jazz", Riff);
        h.Open();
        h.Lists()->SelectText("Rock");
        h.Rows()->SelectText("Tune");
        h.QueueListName(row.typed);
        h.Menu(row.command)->trigger();
        QCOMPARE(h.Boxes(), row.box);
        std::string files, contents;  // whatever the names, the lists keep their ringtones
        for (const std::string& file : test::FilesIn(h.home.path())) {
            files += file + " ";
            contents += test::ReadBytes(h.home / file);
        }
        QCOMPARE(files + "|" + contents, std::string(row.files) + "|" + Riff + Two);
        QCOMPARE(h.ListTexts() + "|" + h.window->RingtoneList().ListName() + "|" + h.Lists()->currentText().toStdString() +
                     "|" + h.RowTexts() + "|" + h.SelectedRow(),
                 std::string(row.after));
        QVERIFY(h.Menu("mnuFileDelete")->isEnabled());
        QCOMPARE(h.Shown("fraResults"), !h.RowTexts().empty());
    }

    void blankListNameKeepsTheDialogOpen() {
        Harness h;
        h.Open();
        bool stayedOpen = false;
        h.toolkit.QueueForm([&](ModalForm& shown) {
            test::Child<QLineEdit>(shown, "txtListName")->setText(QStringLiteral("   "));
            test::Click(shown, "cmdOk");
            stayedOpen = !shown.DialogAccepted() && shown.result() != QDialog::Accepted;
            test::Click(shown, "cmdCancel");
        });
        h.Menu("mnuFileNew")->trigger();
        QVERIFY(stayedOpen && !h.window->DialogAccepted());
        QVERIFY(std::filesystem::is_empty(h.home.path()));
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
        const std::string T = deleted.toStdString();
        h.Lists()->SelectText(T);
        h.Rows()->SetListIndex(0);
        h.Answer(yes);
        h.Menu("mnuFileDelete")->trigger();
        QCOMPARE(h.Boxes(), "Delete " + T + " List|question|yesno|All ringtones in the '" + T +
                                "' list will be lost if you continue!\r\n\r\nAre you sure you want to delete the '" + T +
                                "' list?");
        QCOMPARE(std::filesystem::exists(h.ListPath(T)), !yes);
        const std::string current = h.window->RingtoneList().ListName();
        QCOMPARE(h.ListTexts() + "|" + current, after.toStdString());
        QCOMPARE(h.Lists()->currentText().toStdString() + "|" + h.RowTexts(), current + "|" + current + "1");
        QCOMPARE(h.NameField()->text().isEmpty(), yes);
    }

    // The button plays the ringtone shown, a double click the row under the
    // pointer; a tempo of 0 is silence and a failing player says nothing.
    void playing() {
        Harness h(Two + "[Zero]\r\nRTTTL=Zero:d=4,o=5,b=0:c, d\r\n", "Other");
        h.ShowActive();
        h.Button("cmdPlaySound")->click();
        QTest::mouseDClick(h.Rows()->viewport(), Qt::LeftButton, {}, h.Rows()->visualItemRect(h.Rows()->item(1)).center());
        QCOMPARE(h.window->Ringtone().Name(), std::string("Tune"));
        h.Rows()->SelectText("Zero");
        h.Button("cmdPlaySound")->click();
        h.player.FailWith("no sound output device is available");
        h.Rows()->SelectText("Tune");
        h.Button("cmdPlaySound")->click();
        QCOMPARE(h.player.Played().size(), std::size_t{2});
        QVERIFY(h.player.Played()[0] != h.player.Played()[1]);
        const std::vector<std::string> calls = h.player.Calls();
        QCOMPARE(std::count(calls.begin(), calls.end(), "play"), 3);  // the last one failed
        QVERIFY(h.toolkit.Boxes().empty() && h.Button("cmdPlaySound")->isEnabled() && h.toolkit.BusyDepth() == 0);
    }
};

TW_UI_TEST_MAIN(ListCommandsTest)
#include "list_commands_test.moc"
