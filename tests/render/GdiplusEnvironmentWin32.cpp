#include "render/GraphicsWin32.h"

#include <gtest/gtest.h>
#include <memory>

namespace {
// GDI+ for the whole test run, as the program has it for its main loop.
class GdiplusEnvironment : public testing::Environment {
public:
    void SetUp() override {
        session_ = std::make_unique<CGraphicsSession>();
        ASSERT_TRUE(session_->IsStarted());
    }
    void TearDown() override { session_.reset(); }

private:
    std::unique_ptr<CGraphicsSession> session_;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new GdiplusEnvironment);
} // namespace
