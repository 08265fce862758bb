#include <gtest/gtest.h>

#include "about_box.h"

namespace {

TEST(AboutBox, CaptionAndNameCarryTheVersion) {
    EXPECT_EQ(tw::MainWindowCaption(), "Tunewright V3.3");
    EXPECT_EQ(tw::AboutAppName(), "Tunewright V3.3 (Build 5)");
    EXPECT_EQ(tw::MainWindowCaption({4, 10}), "Tunewright V4.10");
    EXPECT_EQ(tw::AboutAppName({4, 0}, 12), "Tunewright V4.0 (Build 12)");
}

TEST(AboutBox, Texts) {
    const tw::AboutBoxTexts texts = tw::AboutTexts();
    EXPECT_EQ(texts.Caption, "About...");
    EXPECT_EQ(texts.lblAppName, "Tunewright V3.3 (Build 5)");
    EXPECT_EQ(texts.lblMsg3, "");
    EXPECT_EQ(texts.lblMsg4, "Please direct any bugs to");
    EXPECT_EQ(texts.Label2, "and visit ");
    EXPECT_EQ(texts.lblMyWeb, "https://tunewright.example/");
    EXPECT_EQ(texts.Label3, "for updates.");
    EXPECT_EQ(texts.cmdOK, "&Ok");
    EXPECT_FALSE(texts.Contact.empty());
    EXPECT_FALSE(texts.Notice.empty());
}

}  // namespace
