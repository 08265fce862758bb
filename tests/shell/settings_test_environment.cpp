// The Qt tests keep their settings and data in one temporary folder, set
// before the first QSettings is made (QSettings reads XDG_CONFIG_HOME once)
// and removed after the last test.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <memory>

#include "shell_test_support.h"

namespace {

class PrivateSettingsFolder : public ::testing::Environment {
public:
    void SetUp() override {
        folder_ = std::make_unique<tw::test::ShellTempDir>();
        ::setenv("XDG_CONFIG_HOME", (folder_->path() / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (folder_->path() / "data").c_str(), 1);
        ::setenv("TUNEWRIGHT_HOME", (folder_->path() / "home").c_str(), 1);
    }
    void TearDown() override { folder_.reset(); }

private:
    std::unique_ptr<tw::test::ShellTempDir> folder_;
};

::testing::Environment* const privateSettingsFolder = ::testing::AddGlobalTestEnvironment(new PrivateSettingsFolder);

}  // namespace
