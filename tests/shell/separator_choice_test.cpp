#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "saved_settings.h"
#include "separator_choice.h"

namespace {

using tw::SelectedSeparatorChoice;
using tw::SeparatorAfterOk;

TEST(SeparatorChoice, OpeningSelectsTheEntryOfTheSeparatorInForce) {
    EXPECT_EQ(SelectedSeparatorChoice(" "), 0U);
    EXPECT_EQ(SelectedSeparatorChoice(", "), 1U);
    EXPECT_EQ(SelectedSeparatorChoice(","), 2U);
    // Entries are display texts: neither the text "{space}" nor a separator
    // the dialog does not offer selects anything.
    for (const char* other : {"|", " ,", ",  ", "{space}", ",{space}", ""}) {
        SCOPED_TRACE(std::string("'") + other + "'");
        EXPECT_EQ(SelectedSeparatorChoice(other), std::nullopt);
    }
}

TEST(SeparatorChoice, OkTakesTheSelectedEntryOrKeepsTheSeparator) {
    EXPECT_EQ(tw::SeparatorChoices[0].Entry, "{space}");
    EXPECT_EQ(SeparatorAfterOk(0, ", "), " ");
    EXPECT_EQ(SeparatorAfterOk(2, " "), ",");
    EXPECT_EQ(SeparatorAfterOk(std::nullopt, "|"), "|");
    EXPECT_EQ(SeparatorAfterOk(3, " / "), " / ");
}

TEST(SeparatorChoice, OkWritesTheSeparatorEvenWhenUnchanged) {
    tw::MemorySettingsStore store;
    const std::string kept = SeparatorAfterOk(SelectedSeparatorChoice("|"), "|");
    tw::SaveOutputSeparator(store, kept);
    EXPECT_EQ(store.Values().at("OutputSep"), "|");
    tw::SaveOutputSeparator(store, SeparatorAfterOk(0, kept));
    EXPECT_EQ(tw::ReadSettings(store, {28800, 16200}).Settings.OutputSep, " ");
}

}  // namespace
