// The window's notation choices and the notations they stand for.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "ui/notation_choice.h"

namespace {

using tw::Notation;

struct ChoiceRow {
    int index;
    std::optional<Notation> notation;
    Notation orKeypresses;
};

void PrintTo(const ChoiceRow& row, std::ostream* out) { *out << "choice " << row.index; }

class NotationChoiceTest : public ::testing::TestWithParam<ChoiceRow> {};

TEST_P(NotationChoiceTest, StandsForItsNotation) {
    EXPECT_EQ(tw::NotationAt(GetParam().index), GetParam().notation);
    EXPECT_EQ(tw::NotationOrKeypresses(GetParam().index), GetParam().orKeypresses);
}

INSTANTIATE_TEST_SUITE_P(Choices, NotationChoiceTest,
                         ::testing::Values(ChoiceRow{0, Notation::RTTTL, Notation::RTTTL},
                                           ChoiceRow{1, Notation::Composer, Notation::Composer},
                                           ChoiceRow{2, Notation::Keypresses, Notation::Keypresses},
                                           ChoiceRow{-1, std::nullopt, Notation::Keypresses},
                                           ChoiceRow{3, std::nullopt, Notation::Keypresses}));

}  // namespace
