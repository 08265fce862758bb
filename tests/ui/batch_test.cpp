// "Batch Save All As .WAV Files": one file per ringtone written into the
// ringtone folder, the busy window with its progress, the main window
// disabled meanwhile, and one error box per ringtone that fails.
#include <QApplication>
#include <QObject>
#include <QProgressBar>

#include "frm_busy.h"
#include "render.h"
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string Three = "[Alpha]\r\nRTTTL=Alpha:d=4,o=5,b=125:c, d\r\n"
                          "[Beta]\r\nRTTTL=Beta:d=4,o=5,b=0:e, f\r\n"
                          "[Gamma]\r\nRTTTL=Gamma:d=8,o=6,b=200:g, a, b\r\n";
const std::string Warning = "Generate WAV Files|information|ok|This will generate a whole set of WAV files from the "
                            "'Favtones' list and could take a while.";

frmBusy* BusyWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QStringLiteral("frmBusy")) return static_cast<frmBusy*>(window);
    return nullptr;
}

// The image the synthesiser makes for an RTTTL text.
std::string WaveOf(const std::string& rtttl) {
    CNotes ringtone;
    ringtone.SetFull_RTTTL(rtttl);
    const std::vector<std::uint8_t> image = RenderWave(ringtone);
    return std::string(image.begin(), image.end());
}

// Counts the showings and hidings of the busy window.
class BusyWatch : public QObject {
public:
    BusyWatch() { qApp->installEventFilter(this); }
    ~BusyWatch() override { qApp->removeEventFilter(this); }
    std::string Seen() const { return seen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched->objectName() == QStringLiteral("frmBusy") &&
            (event->type() == QEvent::Show || event->type() == QEvent::Hide))
            seen_ += event->type() == QEvent::Show ? "shown " : "hidden ";
        return false;
    }

private:
    std::string seen_;
};

// The window on `list`, writing into a folder of its own, recording at each
// repaint during the batch what the busy window and the main window show.
struct Batch {
    Harness h;
    test::TempFolder out;
    std::vector<std::string> seen;

    explicit Batch(const std::string& list) {
        h.WriteList("Favtones", list);
        h.Open();
        h.window->SetRingToneDirectory((out / "tones").string());
        std::filesystem::create_directories(out / "tones");
        h.toolkit.OnDoEvents([this] {
            frmBusy* busy = BusyWindow();
            if (busy == nullptr || !busy->isVisible()) {
                seen.push_back("<no busy window>");
                return;
            }
            seen.push_back(busy->windowTitle().toStdString() + "|" +
                           busy->findChild<QGroupBox*>(QStringLiteral("Frame1"))->title().toStdString() + "|" +
                           busy->findChild<QLabel*>(QStringLiteral("lblMessage"))->text().toStdString() + "|" +
                           busy->findChild<QProgressBar*>(QStringLiteral("prgProgress"))->text().toStdString() + "|" +
                           (h.window->isEnabled() ? "enabled" : "disabled") + "|" + h.SelectedRow());
        });
    }
    void Run() { h.Menu("mnuFileBatchWAV")->trigger(); }
    std::filesystem::path Tones() const { return out / "tones"; }
};

}  // namespace

class BatchTest : public QObject {
    Q_OBJECT

private slots:
    void badTempoCostsOneBoxAndTheOthersAreWritten() {
        Batch b(Three);
        test::WriteBytes(b.Tones() / "Alpha.wav", std::string(200000, 'x'));  // replaced whole, unasked
        b.Run();
        const std::string tones = b.Tones().string();
        QCOMPARE(b.h.Boxes(), Warning + "\nTunewright|none|ok|An error occurred trying to create " + tones +
                                  "/Beta.wav. [the tempo must be above 0, not 0]");
        QCOMPARE(test::FilesIn(b.Tones()), (std::set<std::string>{"Alpha.wav", "Gamma.wav"}));
        QCOMPARE(test::ReadBytes(b.Tones() / "Alpha.wav"), WaveOf("Alpha:d=4,o=5,b=125:c, d"));
        QCOMPARE(test::ReadBytes(b.Tones() / "Gamma.wav"), WaveOf("Gamma:d=8,o=6,b=200:g, a, b"));
        // Two repaints a ringtone: after its name shows, after its file.
        const std::string window = "Please Wait...|Current Activity|";
        QCOMPARE(b.seen, (std::vector<std::string>{
                             window + "Generating 'Alpha.wav'...|1 of 3|disabled|Alpha",
                             window + "Generating 'Alpha.wav'...|1 of 3|disabled|Alpha",
                             window + "Generating 'Beta.wav'...|2 of 3|disabled|Beta",
                             window + "Generating 'Beta.wav'...|2 of 3|disabled|Beta",
                             window + "Generating 'Gamma.wav'...|3 of 3|disabled|Gamma",
                             window + "Generating 'Gamma.wav'...|3 of 3|disabled|Gamma",
                         }));
        // Afterwards: the busy window gone, the main window back, the last
        // ringtone selected, shown and current.
        QVERIFY(BusyWindow() == nullptr && b.h.window->isEnabled());
        QCOMPARE(b.h.SelectedRow(), std::string("Gamma"));
        QCOMPARE(b.h.window->Ringtone().Name() + "|" + b.h.NameField()->text().toStdString(), std::string("Gamma|Gamma"));
        QCOMPARE(b.h.toolkit.BusyDepth(), 0);
        QCOMPARE(b.h.ListFile(), Three);
    }

    // Names that would leave the folder or are no file name, and a row whose
    // entry went from the list file, each get their box and are skipped.
    void ringtonesThatCannotBeWrittenAreSkipped() {
        Batch b("[AC/DC]\r\nRTTTL=AC/DC:d=4,o=5,b=125:c, d\r\n"
                "[Dots]\r\nRTTTL=..:d=4,o=5,b=125:c, d\r\n"
                "[Gone]\r\nRTTTL=Gone:d=4,o=5,b=125:c, d\r\n"
                "[Good]\r\nRTTTL=Good:d=4,o=5,b=125:c, d\r\n"
                "[Up]\r\nRTTTL=../Up:d=4,o=5,b=125:c, d\r\n");
        b.h.WriteList("Favtones", "[AC/DC]\r\nRTTTL=AC/DC:d=4,o=5,b=125:c, d\r\n"
                                  "[Dots]\r\nRTTTL=..:d=4,o=5,b=125:c, d\r\n"
                                  "[Good]\r\nRTTTL=Good:d=4,o=5,b=125:c, d\r\n"
                                  "[Up]\r\nRTTTL=../Up:d=4,o=5,b=125:c, d\r\n");
        b.Run();
        const std::string box = "Tunewright|none|ok|An error occurred trying to create " + b.Tones().string() + "/";
        QCOMPARE(b.h.Boxes(), Warning + "\n" + box + "AC/DC.wav. [the name cannot be a file name: it holds \"/\"]\n" +
                                  box + "...wav. [the name cannot be a file name: it is \"..\"]\n" + box +
                                  "Gone.wav. [the ringtone is no longer in the 'Favtones' list]\n" + box +
                                  "../Up.wav. [the name cannot be a file name: it holds \"/\"]");
        QCOMPARE(test::FilesIn(b.Tones()), std::set<std::string>{"Good.wav"});
        QCOMPARE(test::FilesIn(b.out.path()), std::set<std::string>{"tones"});
        QCOMPARE(b.seen.size(), std::size_t{10});
    }

    void emptyListWritesNothing() {
        Batch b("");
        BusyWatch watch;
        b.h.window->mnuFileBatchWAV_Click();  // its menu entry is disabled
        QCOMPARE(b.h.Boxes(), Warning);
        QCOMPARE(watch.Seen(), std::string("shown hidden "));
        QVERIFY(b.seen.empty() && BusyWindow() == nullptr && b.h.window->isEnabled());
        QVERIFY(std::filesystem::is_empty(b.Tones()));
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
        QCOMPARE(test::FilesIn(b.Tones()).size(), std::size_t{2});
        QVERIFY(b.h.window->close());
    }
};

TW_UI_TEST_MAIN(BatchTest)
#include "batch_test.moc"
