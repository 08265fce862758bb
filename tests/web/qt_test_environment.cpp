// The Qt tests run on one QCoreApplication, made before the first test and
// gone after the last.
#include <gtest/gtest.h>

#include <memory>

#include <QCoreApplication>

namespace {

class QtApplication : public ::testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<QCoreApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[10] = "web_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};

::testing::Environment* const qtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

}  // namespace
