#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "browser_search.h"
#include "web_test_support.h"

namespace {

void MakeProgram(const std::filesystem::path& path, bool executable = true) {
    std::filesystem::create_directories(path.parent_path());
    tw::test::WriteBytes(path, "#!/bin/sh\n");
    ::chmod(path.c_str(), executable ? 0755 : 0644);
}

TEST(FindBrowser, FirstCandidateThatIsAnExecutableFileInAnAbsoluteFolder) {
    const tw::test::WebTempDir dir;
    MakeProgram(dir / "first/firefox");
    MakeProgram(dir / "second/xdg-open");
    MakeProgram(dir / "plain/xdg-open", false);
    std::filesystem::create_directories(dir / "folder/xdg-open");
    const auto in = [&dir](const char* folder) { return (dir / folder).string(); };
    // Candidate order beats folder order.
    EXPECT_EQ(tw::FindBrowser(in("first") + ":" + in("second")), dir / "second/xdg-open");
    EXPECT_EQ(tw::FindBrowser(":relative:" + in("plain") + "::" + in("folder") + ":" + in("first")), dir / "first/firefox");
    EXPECT_EQ(tw::FindBrowser(in("plain")), std::nullopt);
    EXPECT_EQ(tw::FindBrowser(""), std::nullopt);
}

}  // namespace
