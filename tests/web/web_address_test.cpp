#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "web_address.h"

namespace {

TEST(WebAddress, OnlyAbsoluteHttpAddressesWithAHost) {
    for (const char* good : {"HTTPS://A.TEST/X", "http://127.0.0.1:8077/", "http://[::1]:8077/menu.dat", "http://a.test#top"}) {
        SCOPED_TRACE(good);
        EXPECT_TRUE(tw::IsWebAddress(good));
    }
    for (const char* bad : {"javascript:alert(1)", "file:///etc/passwd", "ftp://a.test/", "contact", "-http://a.test/",
                            "http:/a.test/", "http://", "http://:80/", "http://a.test:99999/", "http://user@a.test/",
                            "http://a.test/x y", "http://a.test/\n", "http://a\xC3\xA9.test/", "//a.test/"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(tw::IsWebAddress(bad));
    }
}

TEST(WebAddress, TheQueryItemGoesIntoTheQueryBeforeAnyFragment) {
    const struct {
        const char* address;
        std::optional<std::string> opened;
    } cases[] = {
        {"https://tunewright.example/download.html", "https://tunewright.example/download.html?from=TunewrightV3.3"},
        {"http://a.test/page.html?id=5", "http://a.test/page.html?id=5&from=TunewrightV3.3"},
        {"http://a.test/page.html?", "http://a.test/page.html?from=TunewrightV3.3"},
        {"http://a.test/p?a=1&", "http://a.test/p?a=1&from=TunewrightV3.3"},
        {"http://a.test/p?a=1#f?g", "http://a.test/p?a=1&from=TunewrightV3.3#f?g"},
        {"  http://a.test/caf\xC3\xA9 ", "http://a.test/caf%C3%A9?from=TunewrightV3.3"},
        {"javascript:alert(1)", std::nullopt},
        {"file:///etc/passwd", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(tw::AddressToOpen(c.address), c.opened);
    }
    EXPECT_EQ(tw::AddressToOpen("http://a.test/", {3, 10}), "http://a.test/?from=TunewrightV3.10");
}

TEST(BaseUrl, LocalWordThenVariableThenHomeSite) {
    EXPECT_EQ(tw::ChooseBaseUrl(false, std::nullopt), "https://tunewright.example/");
    EXPECT_EQ(tw::ChooseBaseUrl(true, "http://other.test/"), "http://127.0.0.1:8077/");
    EXPECT_EQ(tw::ChooseBaseUrl(false, " http://127.0.0.1:9000"), "http://127.0.0.1:9000/");
    EXPECT_EQ(tw::ChooseBaseUrl(false, "https://a.test/sub"), "https://a.test/sub/");
    for (const char* unusable : {"file:///tmp/", "http://a.test/?x=1", "http://a.test/#x", ""}) {
        SCOPED_TRACE(unusable);
        EXPECT_EQ(tw::ChooseBaseUrl(false, unusable), "https://tunewright.example/");
    }
    EXPECT_TRUE(tw::IsLocalCommandLine({"local"}));
    EXPECT_FALSE(tw::IsLocalCommandLine({"LOCAL"}));
    EXPECT_FALSE(tw::IsLocalCommandLine({"local", "x"}));
}

}  // namespace
