// The command line with Arduino sketches: written with convert and list get
// on the pin given, never read, and --pin refused where it means nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/cli.h"
#include "support/cli_run.h"
#include "support/temp_files.h"

namespace {

using tw::test::RunTunewright;

const std::string Rtttl = "Hi:d=4,o=5,b=125:8c5,4a#.6,16p";

using ArduinoCli = tw::test::FreshHomeTest;

struct Refused {
    std::vector<std::string> args;
    std::string error;
};
void PrintTo(const Refused& r, std::ostream* out) { *out << testing::PrintToString(r.args); }

TEST_F(ArduinoCli, RefusesUsagesThatMeanNothing) {
    const std::vector<Refused> refused = {
        {{"convert", "--from", "arduino", "--to", "rtttl"},
         "error: --from takes rtttl, composer, keypresses, imelody, ott or fmf, not 'arduino': Arduino Sketch files "
         "are "
         "written, not read\n"},
        {{"notes", "--from", "ARDUINO"}, "Arduino Sketch files are written, not read"},
        {{"list", "add", "L", "--from", "arduino"}, "Arduino Sketch files are written, not read"},
        {{"convert", "--from", "rtttl", "--to", "rtttl", "--pin", "3"},
         "error: --pin is the buzzer's pin of an Arduino sketch: give --to arduino\n"},
        {{"convert", "--from", "rtttl", "--to", "arduino", "--pin", "256"},
         "error: --pin takes a pin number 0 to 255, not '256'\n"},
        {{"convert", "--from", "rtttl", "--to", "arduino", "--pin", "-1"}, "--pin takes a pin number 0 to 255"},
        {{"convert", "--from", "rtttl", "--to", "arduino", "--pin", "x"}, "--pin takes a pin number 0 to 255"},
        {{"list", "get", "L", "Hi", "--to", "imelody", "--pin", "3"}, "give --to arduino"},
    };
    for (const Refused& r : refused) {
        SCOPED_TRACE(testing::PrintToString(r));
        const tw::test::CliRun run = RunTunewright(r.args, Rtttl);
        EXPECT_EQ(run.code, tw::ExitUsage);
        EXPECT_NE(run.err.find(r.error), std::string::npos) << run.err;
    }
}

TEST_F(ArduinoCli, ConvertAndListGetWriteTheSketchForThePin) {
    const tw::test::CliRun converted =
        RunTunewright({"convert", "--from", "rtttl", "--to", "arduino", "--pin=3"}, Rtttl);
    EXPECT_EQ(converted.code, 0);
    EXPECT_NE(converted.out.find("const uint8_t buzzerPin = 3;\n"), std::string::npos);
    EXPECT_NE(converted.out.find("const uint16_t Hi_hz[] PROGMEM = {\n  523, 1864, 0\n};"), std::string::npos);
    EXPECT_NE(converted.out.find("const uint16_t Hi_ms[] PROGMEM = {\n  240, 720, 120\n};"), std::string::npos);

    ASSERT_EQ(RunTunewright({"list", "add", "L", "--from", "rtttl"}, Rtttl).code, 0);
    const tw::test::CliRun got = RunTunewright({"list", "get", "L", "Hi", "--to", "arduino", "--pin", "12"});
    EXPECT_EQ(got.code, 0);
    EXPECT_NE(got.out.find("const uint8_t buzzerPin = 12;\n"), std::string::npos);
    const tw::test::CliRun defaulted = RunTunewright({"list", "get", "L", "Hi", "--to", "arduino"});
    EXPECT_NE(defaulted.out.find("const uint8_t buzzerPin = 8;\n"), std::string::npos);
}

}  // namespace
