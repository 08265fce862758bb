#pragma once

// The main window as the program opens it on a real display, for the
// programs that picture it or measure it: the real toolkit services, no
// sound, settings of a program that has run before (so no About box), and a
// web check that goes to a port of 127.0.0.1 that refuses. Also the lists
// the pictures show and the saving of a picture.
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "engine/cnotes.h"
#include "lists/ringtone_list.h"
#include "shell/saved_settings.h"
#include "shell/settings_store.h"
#include "sound/player.h"
#include "support/test_http_server.h"
#include "ui/frm_converter.h"
#include "ui/qt_toolkit.h"
#include "ui/sorted_controls.h"
#include "web/qt/qt_web_fetcher.h"

namespace tw::test {

struct RealMainWindow {
    explicit RealMainWindow(const std::filesystem::path& directory)
        : settings(SettingsOf(directory)), window(toolkit, player, settings, fetcher, directory) {
        window.Form_Load();
    }

    static MemorySettingsStore SettingsOf(const std::filesystem::path& directory) {
        ::setenv("TUNEWRIGHT_BASE_URL", RefusedBaseUrl().c_str(), 1);
        MemorySettingsStore store;
        store.SaveSetting(SettingKey::RingToneDirectory, directory.string());
        return store;
    }

    MemorySettingsStore settings;
    QtToolkit toolkit;
    NullPlayer player;
    QtWebFetcher fetcher;
    frmConverter window;

    // Shows the tune of FillLists with its dotted quarter selected.
    bool ShowOwnTune() {
        auto* rows = window.findChild<SortedListBox*>(QStringLiteral("lstRingtones"));
        if (rows == nullptr || !rows->SelectText("Lantern Walk")) {
            std::cerr << "the ringtone row was not found\n";
            return false;
        }
        window.SetSelectedNote(7);
        return true;
    }
};

// A Favtones list with a tune of our own (a climb, a dotted turn, a run down
// and a note below the handset's octaves) between two others, and an empty list.
inline void FillLists(const std::filesystem::path& directory) {
    CNotes ringtone;
    ringtone.SetOutputSeparator(", ");
    RingtoneListFile list(ringtone, directory);
    list.SetListName("Favtones");
    for (const char* text :
         {"Tune:d=4,o=5,b=125:8c,8d,8e", "Lantern Walk:d=8,o=5,b=140:c,e,g,4c6,p,b,a,4g.,f,e,d,16e,16f,4g,p,4a4,g,e,2c",
          "Scale:d=8,o=5,b=160:c,d,e,f,g,a,b,c6"}) {
        ringtone.SetFull_RTTTL(text);
        list.SaveToFile();
    }
    RingtoneListFile other(ringtone, directory);
    other.SetListName("Party");
    other.SaveToFile();
}

// Saves what the screen shows of `widget` once it is on screen and drawn.
inline bool SavePicture(QWidget& widget, const std::filesystem::path& path) {
    if (!QTest::qWaitForWindowExposed(&widget, 10000)) {
        std::cerr << widget.objectName().toStdString() << " was not shown\n";
        return false;
    }
    QTest::qWait(500);
    const QImage picture = widget.screen()->grabWindow(widget.winId()).toImage();
    if (picture.isNull() || picture.width() < widget.width() || picture.height() < widget.height()) {
        std::cerr << "the capture of " << widget.objectName().toStdString() << " is smaller than the window\n";
        return false;
    }
    if (!picture.save(QString::fromStdString(path.string()), "PNG")) {
        std::cerr << "could not write " << path << '\n';
        return false;
    }
    std::cout << "saved " << path.string() << " (" << picture.width() << "x" << picture.height() << ")\n";
    return true;
}

}  // namespace tw::test
