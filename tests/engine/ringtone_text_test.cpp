#include <string>
#include <utility>

#include "test_support.h"

namespace {

using namespace twtest;

using TextPair = std::pair<std::string, std::string>;

TEST(CleanRingtoneText, TrimsJoinsLinesAndDropsOneFinalComma) {
    const TextPair cases[] = {
        {"  a,b,  ", "a,b"}, {"a,b,,", "a,b,"}, {" c,\r\n d, ", "c, d"}, {"\n  x  \n", "x"}, {"a, \n", "a"},
        {"c\r\nd", "cd"},    {"x\r", "x"},      {"a\tb", "a\tb"},        {",", ""},          {"", ""}};
    for (const auto& [in, out] : cases) EXPECT_EQ(tw::CleanRingtoneText(in), out) << "text " << in;
}

TEST(JoinLines, EveryKindOfLineBreakEndsALine) {
    const TextPair cases[] = {{"a\r\nb", "ab"},   {"a\nb", "ab"},
                              {"a\rb", "ab"},     {"a\r\n\r\nb\n", "ab"},
                              {"a\r\r\nb", "ab"}, {" a \n b ", " a  b "},
                              {"", ""},           {"Tune:d=4,o=5,b=125:\r\nc,d,e\r\n", "Tune:d=4,o=5,b=125:c,d,e"}};
    for (const auto& [in, out] : cases) EXPECT_EQ(tw::JoinLines(in), out) << "text " << in;
}

class PrepareKeypresses : public ::testing::TestWithParam<TextPair> {};

TEST_P(PrepareKeypresses, PutsACommaBeforeEveryNoteKey) {
    EXPECT_EQ(tw::PrepareKeypresses(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Sources, PrepareKeypresses,
                         ::testing::Values(TextPair{"Tune:Tempo=125:55 8, 6(hold 0)", "Tune:Tempo=125:5,58,6,(hold 0)"},
                                           TextPair{"Tune:Tempo=125:5 (1) #7", "Tune:Tempo=125:5,(1)#,7"},
                                           TextPair{"1 2 3", "1,2,3"},
                                           TextPair{"Name:Tempo=100:4 4 5", "Name:Tempo=100:4,4,5"},
                                           TextPair{"*1 2", "*,1,2"}, TextPair{"81 2 3", "8,1,2,3"},
                                           TextPair{"#*1", "#*,1"}, TextPair{"(hold 1) 2", "(hold 1),2"},
                                           TextPair{"(Hold 1) 2", "(Hold,1),2"}, TextPair{"a:b:1,,2", "a:b:1,2"},
                                           TextPair{"Tune : Tempo=125 : 1 2", "Tune : Tempo=125 :1,2"},
                                           TextPair{"Tune:Tempo=125:18*2 39", "Tune:Tempo=125:18*,2,39"},
                                           TextPair{"Tune:", "Tune:"}, TextPair{"", ""}));

}  // namespace
