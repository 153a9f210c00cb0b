// Every test process gets a settings folder of its own, removed at its end: no test sees what another one
// (or the operator) left in XDG_CONFIG_HOME. A test that needs a fresh one inside uses TempConfigHome.
#include "support/ScopedEnv.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class PrivateConfigHome : public ::testing::Environment {
public:
    void SetUp() override
    {
        folder_ = std::make_unique<TempFolder>("rv-config");
        ASSERT_TRUE(folder_->Ok()) << "cannot create a temporary settings folder";
        home_ = std::make_unique<ScopedEnv>("XDG_CONFIG_HOME", folder_->Path().string());
    }
    void TearDown() override
    {
        home_.reset();
        folder_.reset();
    }

private:
    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<ScopedEnv> home_;
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new PrivateConfigHome);

}  // namespace
