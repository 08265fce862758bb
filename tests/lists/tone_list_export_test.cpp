#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list_test_support.h"
#include "tone_list_export.h"

namespace {

// The export header for 2001-12-05 21:56:40 with the given type lines.
std::string Header(const std::string& typeLines) {
    const std::string hyphens(59, '-');
    return hyphens + "\r\nRingtone List Export 2001-12-05 21:56:40\r\nDisplayed in following order:\r\n" + typeLines +
           hyphens + "\r\n\r\n";
}

class ToneListTest : public ::testing::Test {
protected:
    ToneListTest() {
        list.SetListName("Favtones");
        // Stored with "," between the notes; exported with the current separator.
        tw::test::WriteBytes(list.ListFileName(),
                             "[Test]\r\nRTTTL=Test:d=4,o=5,b=125:c,8d\r\n[alpha]\r\nRTTTL=Alpha:d=8,o=6,b=90:c,4e\r\n");
        ringtone.SetOutputSeparator(", ");
        ringtone.SetFull_RTTTL("Current:d=4,o=5,b=100:g, a");
    }

    std::string Export(std::array<bool, 3> types, bool raw = false, bool showType = false) {
        problems.clear();
        std::tm when{};
        when.tm_year = 2001 - 1900;
        when.tm_mon = 11;
        when.tm_mday = 5;
        when.tm_hour = 21;
        when.tm_min = 56;
        when.tm_sec = 40;
        return tw::ToneListText(list, {types, raw, showType}, when, problems);
    }

    tw::test::TempDir dir;
    tw::CNotes ringtone;
    tw::CRingtoneList list{ringtone, dir.path()};
    std::vector<std::string> problems;
};

TEST_F(ToneListTest, EachLayoutWritesTheChosenNotationsInIndexOrder) {
    const tw::ExportChoices initial;
    EXPECT_EQ(Export(initial.Export, initial.RawCodeList, initial.ShowRingtoneType),
              Header("- Nokia Keypresses\r\n") + "Alpha (Tempo 90)\r\n18*, 39\r\n\r\nTest (Tempo 125)\r\n1, 28\r\n\r\n");
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(ringtone.Full_RTTTL(), "Current:d=4,o=5,b=100:g, a");  // the current ringtone is not touched
    EXPECT_EQ(Export({true, true, true}, true, true),
              Header("- RTTTL/Chimekit Tones\r\n- Nokia Composer Tones\r\n- Nokia Keypresses\r\n") +
                  "RTTTL = Alpha:d=8,o=6,b=90:c, 4e\r\nComposer = Alpha:Tempo=90:8c2, 4e2\r\n"
                  "Keypresses = Alpha:Tempo=90:18*, 39\r\nRTTTL = Test:d=4,o=5,b=125:c, 8d\r\n"
                  "Composer = Test:Tempo=125:4c1, 8d1\r\nKeypresses = Test:Tempo=125:1, 28\r\n");
    EXPECT_EQ(Export({false, true, false}),
              Header("- Nokia Composer Tones\r\n") + "Alpha (Tempo 90)\r\n8c2, 4e2\r\n\r\nTest (Tempo 125)\r\n4c1, 8d1\r\n\r\n");
    EXPECT_EQ(Export({false, false, false}, true), Header(""));
    EXPECT_EQ(Export({false, false, false}), Header("") + "Alpha (Tempo 90)\r\n\r\nTest (Tempo 125)\r\n\r\n");
}

TEST_F(ToneListTest, DamagedEntriesAreWrittenAsReadAndReportedAndAMissingListGivesTheHeaderAlone) {
    tw::test::WriteBytes(list.ListFileName(), "[Empty]\r\n[Odd]\r\nRTTTL=Odd:d=4,o=5,b=125:c,zz\r\n");
    EXPECT_EQ(Export({false, false, true}),
              Header("- Nokia Keypresses\r\n") + "No name (Tempo 125)\r\n\r\n\r\nOdd (Tempo 125)\r\n1, \r\n\r\n");
    ASSERT_GE(problems.size(), 2u);
    EXPECT_EQ(problems.front(), "Empty: no ringtone text is stored");
    EXPECT_EQ(problems.back().rfind("Odd: ", 0), 0u);
    list.SetListName("Nothing");
    EXPECT_EQ(Export({false, false, true}), Header("- Nokia Keypresses\r\n"));
}

}  // namespace
