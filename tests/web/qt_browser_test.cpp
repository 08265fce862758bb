#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "qt_browser.h"
#include "web_test_support.h"

namespace {

// PATH holds only a folder with a stand-in browser that writes down how it
// was called: the number of its arguments, then each argument on a line.
class OpenWebPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* before = ::getenv("PATH")) savedPath_ = before;
        const auto program = dir_ / "xdg-open";
        const std::string folder = dir_.path().string();
        tw::test::WriteBytes(program, "#!/bin/sh\n"
                                      "printf '%s\\n' \"$#\" \"$@\" > '" + folder + "/call.tmp'\n"
                                      "/bin/mv '" + folder + "/call.tmp' '" + folder + "/call'\n");
        ::chmod(program.c_str(), 0755);
        ::setenv("PATH", dir_.path().c_str(), 1);
    }
    void TearDown() override {
        if (savedPath_) ::setenv("PATH", savedPath_->c_str(), 1);
        else ::unsetenv("PATH");
    }

    // What the stand-in browser was called with; empty when it was not
    // called within a few seconds.
    std::string Call() const {
        for (int i = 0; i < 100 && !std::filesystem::exists(dir_ / "call"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return tw::test::ReadBytes(dir_ / "call");
    }

    tw::test::WebTempDir dir_;
    std::optional<std::string> savedPath_;
};

TEST_F(OpenWebPageTest, TheAddressWithTheQueryItemIsTheOneArgument) {
    // No shell ever sees the address.
    ASSERT_TRUE(tw::OpenWebPage("http://a.test/p?id=5&x=`id`;$(id)#top"));
    EXPECT_EQ(Call(), "1\nhttp://a.test/p?id=5&x=`id`;$(id)&from=TunewrightV3.3#top\n");
}

TEST_F(OpenWebPageTest, AddressesThatAreNoWebAddressAreNeverOpened) {
    for (const char* address : {"javascript:alert(1)", "file:///etc/passwd", "--help"}) {
        SCOPED_TRACE(address);
        EXPECT_FALSE(tw::OpenWebPage(address));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "call"));
}

}  // namespace
