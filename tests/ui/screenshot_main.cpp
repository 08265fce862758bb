// Opens the real main window on the display given by the environment, with
// a small list and one ringtone shown, and saves a picture of it.
// Usage: ui_screenshot OUT.png   (TUNEWRIGHT_HOME names an empty folder)
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <cstdio>
#include <iostream>

#include "cnotes.h"
#include "frm_converter.h"
#include "player.h"
#include "program_directory.h"
#include "qt_toolkit.h"
#include "qt_web_fetcher.h"
#include "ringtone_list.h"
#include "saved_settings.h"
#include "settings_store.h"
#include "sorted_controls.h"
#include "test_http_server.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: ui_screenshot OUT.png\n";
        return 64;
    }
    QApplication app(argc, argv);
    const std::filesystem::path directory = tw::ProgramDirectory();
    {
        tw::CNotes ringtone;
        ringtone.SetOutputSeparator(", ");
        tw::CRingtoneList list(ringtone, directory);
        list.SetListName("Favtones");
        for (const char* text : {"Tune:d=4,o=5,b=125:8c,8d,8e",
                                 "Little Lamb:d=4,o=6,b=140:e,d,c,d,e,e,2e,d,d,2d,e,g,2g,e,d,c,d,e,e,e,e,d,d,e,d,1c",
                                 "Scale:d=8,o=5,b=160:c,d,e,f,g,a,b,c6"}) {
            ringtone.SetFull_RTTTL(text);
            list.SaveToFile();
        }
        tw::CRingtoneList other(ringtone, directory);
        other.SetListName("Party");
        other.SaveToFile();
    }

    // A program that has run before (no About box), whose web check goes to
    // a port of 127.0.0.1 that refuses.
    ::setenv("TUNEWRIGHT_BASE_URL", tw::test::RefusedBaseUrl().c_str(), 1);
    tw::MemorySettingsStore settings;
    settings.SaveSetting(tw::SettingKey::RingToneDirectory, directory.string());
    tw::QtToolkit toolkit;
    tw::NullPlayer player;
    tw::QtWebFetcher fetcher;
    tw::frmConverter window(toolkit, player, settings, fetcher, directory);
    window.Form_Load();
    if (!QTest::qWaitForWindowExposed(&window, 10000)) {
        std::cerr << "the window was not shown\n";
        return 1;
    }
    auto* rows = window.findChild<tw::SortedListBox*>(QStringLiteral("lstRingtones"));
    if (rows == nullptr || !rows->SelectText("Little Lamb")) {
        std::cerr << "the ringtone row was not found\n";
        return 1;
    }
    QTest::qWait(500);

    const QImage picture = window.screen()->grabWindow(window.winId()).toImage();
    if (picture.width() < window.width() || picture.height() < window.height() || picture.isNull()) {
        std::cerr << "the capture is smaller than the window\n";
        return 1;
    }
    if (!picture.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::cerr << "could not write " << argv[1] << '\n';
        return 1;
    }
    std::cout << "saved " << argv[1] << " (" << picture.width() << "x" << picture.height() << ")\n";
    return 0;
}
