#pragma once

// Standard MIDI Files laid out byte by byte, for tests that read them.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace tw::test::midi {

inline std::string Number(std::uint32_t value, int bytes) {
    std::string out;
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) out += static_cast<char>(value >> shift);
    return out;
}

inline std::string Little32(std::uint32_t value) {
    std::string out;
    for (int i = 0; i < 4; ++i, value >>= 8) out += static_cast<char>(value & 0xFF);
    return out;
}

inline std::string Delta(std::uint32_t ticks) {
    std::string out(1, static_cast<char>(ticks & 0x7F));
    while (ticks >>= 7) out.insert(out.begin(), static_cast<char>(0x80 | (ticks & 0x7F)));
    return out;
}

inline std::string Event(std::uint32_t delta, std::initializer_list<int> bytes) {
    std::string out = Delta(delta);
    for (int b : bytes) out += static_cast<char>(b);
    return out;
}
inline std::string On(std::uint32_t delta, int key, int channel = 0) {
    return Event(delta, {0x90 | channel, key, 100});
}
inline std::string Off(std::uint32_t delta, int key, int channel = 0) { return Event(delta, {0x80 | channel, key, 0}); }
inline std::string Tempo(std::uint32_t delta, std::uint32_t microseconds) {
    return Delta(delta) + "\xFF\x51\x03" + Number(microseconds, 3);
}
inline std::string Name(const std::string& name) {
    return Delta(0) + "\xFF\x03" + Delta(static_cast<std::uint32_t>(name.size())) + name;
}

inline std::string Track(const std::string& events) {
    const std::string body = events + Event(0, {0xFF, 0x2F, 0});
    return "MTrk" + Number(static_cast<std::uint32_t>(body.size()), 4) + body;
}
inline std::string File(int format, const std::vector<std::string>& tracks, std::uint16_t division = 480) {
    std::string out = "MThd" + Number(6, 4) + Number(static_cast<std::uint32_t>(format), 2) +
                      Number(static_cast<std::uint32_t>(tracks.size()), 2) + Number(division, 2);
    for (const std::string& track : tracks) out += Track(track);
    return out;
}
// A note of `ticks` starting `delta` after the last event.
inline std::string Note(int key, std::uint32_t ticks, std::uint32_t delta = 0) {
    return On(delta, key) + Off(ticks, key);
}

}  // namespace tw::test::midi
