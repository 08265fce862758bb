// Plays a short ringtone through the desktop's sound server with the real
// player and asks it every 20 ms how far the sound has got, as the note view
// does. Prints "SECONDS_OF_SOUND ASKED FIRST LAST" and fails unless the
// positions never go back, end near the sound's length, and none is
// reported once the play has ended.
// Usage: sound_played_position   (run against a sound server)
#include <QCoreApplication>
#include <QTimer>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <vector>

#include "engine/cnotes.h"
#include "sound/qt/qt_player.h"
#include "sound/render.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    tw::CNotes ringtone;
    ringtone.SetFull_RTTTL("Song:d=8,o=5,b=140:c,e,g,4p,c6,2e6");
    const std::vector<std::uint8_t> image = tw::RenderWave(ringtone);
    const double soundSeconds = tw::NoteStartSeconds(ringtone).back();

    tw::QtPlayer player;
    std::vector<double> asked;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (const std::optional<double> seconds = player.PlayedSeconds()) asked.push_back(*seconds);
    });
    poll.start();
    try {
        player.PlayImage(image);
    } catch (const std::exception& e) {
        std::cerr << "the play failed: " << e.what() << std::endl;
        std::_Exit(1);
    }
    poll.stop();
    std::cout << soundSeconds << ' ' << asked.size() << ' ' << (asked.empty() ? -1 : asked.front()) << ' '
              << (asked.empty() ? -1 : asked.back()) << '\n';
    bool good = asked.size() >= 10;
    for (std::size_t i = 1; i < asked.size(); ++i) good = good && asked[i] >= asked[i - 1];
    good = good && asked.back() >= soundSeconds * 0.7 && asked.back() <= soundSeconds + 0.5;
    if (player.PlayedSeconds()) {
        std::cerr << "a position is reported after the play\n";
        good = false;
    }
    // Ends without running static destructors, as the program does: Qt
    // Multimedia's PulseAudio engine tearing itself down at exit races with
    // its own event thread and can abort the process after the work is done.
    std::cout.flush();
    std::cerr.flush();
    std::_Exit(good ? 0 : 1);
}
