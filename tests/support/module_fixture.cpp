// Attaches the pedestal module once for the whole test run and detaches it at the end.
#include "support/module_fixture.h"

#include <gtest/gtest.h>

#include "frame/ds_ui_module.h"

namespace ds_test {

bool attach_module() { return DllMain(nullptr, DLL_PROCESS_ATTACH, nullptr) == TRUE; }
void detach_module() { DllMain(nullptr, DLL_PROCESS_DETACH, nullptr); }

namespace {
class module_environment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(attach_module()); }
    void TearDown() override { detach_module(); }
};

// Registered during static initialisation, before main runs the tests.
[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new module_environment);
}  // namespace

}  // namespace ds_test
