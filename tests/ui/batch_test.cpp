// "Batch Save All As .WAV Files": one file per ringtone written into the
// ringtone folder, the busy window with its progress, the main window
// disabled meanwhile, and one error box per ringtone that fails.
#include <QProgressBar>

#include "frm_busy.h"
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string Three = "[Alpha]\r\nRTTTL=Alpha:d=4,o=5,b=125:c, d\r\n"
                          "[Beta]\r\nRTTTL=Beta:d=4,o=5,b=0:e, f\r\n"
                          "[Gamma]\r\nRTTTL=Gamma:d=8,o=6,b=200:g, a, b\r\n";
const std::string Warning = "Generate WAV Files|information|ok|This will generate a whole set of WAV files from the "
                            "'Favtones' list and could take a while.\n";

frmBusy* BusyWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QStringLiteral("frmBusy")) return static_cast<frmBusy*>(window);
    return nullptr;
}

// The window on `list`, writing into a folder of its own, recording at each
// repaint during the batch what the busy window and the main window show.
struct Batch {
    Harness h;
    test::TempFolder out;
    std::filesystem::path tones = out / "tones";
    std::vector<std::string> seen;

    explicit Batch(const std::string& list) : h(list) {
        h.window->SetRingToneDirectory(tones.string());
        std::filesystem::create_directories(tones);
        h.toolkit.OnDoEvents([this] {
            frmBusy* busy = BusyWindow();
            if (busy == nullptr || !busy->isVisible()) return seen.push_back("<no busy window>");
            seen.push_back(busy->windowTitle().toStdString() + "|" +
                           test::Child<QLabel>(*busy, "lblMessage")->text().toStdString() + "|" +
                           test::Child<QProgressBar>(*busy, "prgProgress")->text().toStdString() + "|" +
                           (h.window->isEnabled() ? "enabled" : "disabled") + "|" + h.SelectedRow());
        });
    }
    void Run() { h.Menu("mnuFileBatchWAV")->trigger(); }
};

}  // namespace

class BatchTest : public QObject {
    Q_OBJECT

private slots:
    void badTempoCostsOneBoxAndTheOthersAreWritten() {
        Batch b(Three);
        test::WriteBytes(b.tones / "Alpha.wav", std::string(200000, 'x'));  // replaced whole, unasked
        b.Run();
        QCOMPARE(b.h.Boxes(), Warning + "Tunewright|none|ok|An error occurred trying to create " + b.tones.string() +
                                  "/Beta.wav. [the tempo must be above 0, not 0]");
        QCOMPARE(test::FilesIn(b.tones), (std::set<std::string>{"Alpha.wav", "Gamma.wav"}));
        QCOMPARE(test::ReadBytes(b.tones / "Alpha.wav"), test::WaveOf("Alpha:d=4,o=5,b=125:c, d"));
        QCOMPARE(test::ReadBytes(b.tones / "Gamma.wav"), test::WaveOf("Gamma:d=8,o=6,b=200:g, a, b"));
        // Two repaints a ringtone: after its name shows, after its file.
        std::vector<std::string> expected;
        for (const char* name : {"Alpha", "Beta", "Gamma"})
            for (int twice = 0; twice < 2; ++twice)
                expected.push_back("Please Wait...|Generating '" + std::string(name) + ".wav'...|" +
                                   std::to_string(1 + expected.size() / 2) + " of 3|disabled|" + name);
        QCOMPARE(b.seen, expected);
        // Afterwards: the busy window gone, the main window back, the last
        // ringtone selected, shown and current.
        QVERIFY(BusyWindow() == nullptr && b.h.window->isEnabled());
        QCOMPARE(b.h.SelectedRow() + "|" + b.h.window->Ringtone().Name() + "|" + b.h.NameField()->text().toStdString(),
                 std::string("Gamma|Gamma|Gamma"));
        QCOMPARE(b.h.toolkit.BusyDepth(), 0);
        QCOMPARE(b.h.ListFile(), Three);
    }

    // Names that would leave the folder or are no file name, and a row whose
    // entry went from the list file, each get their box and are skipped.
    void ringtonesThatCannotBeWrittenAreSkipped() {
        const std::string kept = "[AC/DC]\r\nRTTTL=AC/DC:d=4,o=5,b=125:c, d\r\n[Dots]\r\nRTTTL=..:d=4,o=5,b=125:c, d\r\n"
                                 "[Good]\r\nRTTTL=Good:d=4,o=5,b=125:c, d\r\n[Up]\r\nRTTTL=../Up:d=4,o=5,b=125:c, d\r\n";
        Batch b(kept + "[Gone]\r\nRTTTL=Gone:d=4,o=5,b=125:c, d\r\n");
        b.h.WriteList("Favtones", kept);
        b.Run();
        const std::string box = "Tunewright|none|ok|An error occurred trying to create " + b.tones.string() + "/";
        QCOMPARE(b.h.Boxes(), Warning + box + "AC/DC.wav. [the name cannot be a file name: it holds \"/\"]\n" + box +
                                  "...wav. [the name cannot be a file name: it is \"..\"]\n" + box +
                                  "Gone.wav. [the ringtone is no longer in the 'Favtones' list]\n" + box +
                                  "../Up.wav. [the name cannot be a file name: it holds \"/\"]");
        QCOMPARE(test::FilesIn(b.tones), std::set<std::string>{"Good.wav"});
        QCOMPARE(test::FilesIn(b.out.path()), std::set<std::string>{"tones"});
        QCOMPARE(b.seen.size(), std::size_t{10});
    }

    void emptyListWritesNothing() {
        Batch b("");
        b.h.window->mnuFileBatchWAV_Click();  // its menu entry is disabled
        QCOMPARE(b.h.Boxes() + "\n", Warning);
        QVERIFY(b.seen.empty() && BusyWindow() == nullptr && b.h.window->isEnabled());
        QVERIFY(std::filesystem::is_empty(b.tones));
    }

    // Neither window can be closed while the batch runs.
    void windowsStayOpenDuringTheBatch() {
        Batch b(Three);
        b.h.window->show();
        bool closedAny = false;
        b.h.toolkit.OnDoEvents([&] {
            frmBusy* busy = BusyWindow();
            closedAny = closedAny || busy->close() || !busy->isVisible();
            closedAny = closedAny || b.h.window->close() || !b.h.window->isVisible();
            QTest::keyClick(busy, Qt::Key_Escape);
            closedAny = closedAny || !busy->isVisible();
        });
        b.Run();
        QVERIFY(!closedAny);
        QVERIFY(b.h.window->isVisible() && BusyWindow() == nullptr);
        QCOMPARE(test::FilesIn(b.tones).size(), std::size_t{2});
        QVERIFY(b.h.window->close());
    }
};

TW_UI_TEST_MAIN(BatchTest)
#include "batch_test.moc"
