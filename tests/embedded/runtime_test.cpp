#include "embedded/runtime.h"

#include <gtest/gtest.h>

namespace tabulara::embedded {
namespace {

using host::HostError;

TEST(RuntimeFailures, ArmedOperationRaisesTheGivenErrorAfterSkippedCalls) {
  Runtime runtime;
  runtime.FailOn("Sheet.Move", HostError(1004, "Move method of Worksheet class failed"), 1, 1);
  EXPECT_NO_THROW(runtime.Enter("Sheet.Move"));
  try {
    runtime.Enter("Sheet.Move");
    FAIL() << "expected the armed failure";
  } catch (const HostError& error) {
    EXPECT_EQ(error.Number(), 1004);
    EXPECT_EQ(error.Description(), "Move method of Worksheet class failed");
  }
  EXPECT_NO_THROW(runtime.Enter("Sheet.Move"));
  EXPECT_NO_THROW(runtime.Enter("Sheet.Activate"));
}

TEST(RuntimeFailures, FailureWithoutLimitKeepsFailingUntilCleared) {
  Runtime runtime;
  runtime.FailOn("Range.Value.Put", HostError(1004, "refused"));
  EXPECT_THROW(runtime.Enter("Range.Value.Put"), HostError);
  EXPECT_THROW(runtime.Enter("Range.Value.Put"), HostError);
  runtime.ClearFailures();
  EXPECT_NO_THROW(runtime.Enter("Range.Value.Put"));
}

TEST(RuntimeCounts, ReferencesAndSubscriptionsAreCountedWhileAlive) {
  auto runtime = std::make_shared<Runtime>();
  bool ended = false;
  {
    Counted reference(runtime);
    CountedSubscription subscription(runtime, [&] { ended = true; });
    EXPECT_EQ(runtime->LiveReferences(), 1);
    EXPECT_EQ(runtime->LiveSubscriptions(), 1);
  }
  EXPECT_TRUE(ended);
  EXPECT_EQ(runtime->LiveReferences(), 0);
  EXPECT_EQ(runtime->LiveSubscriptions(), 0);
}

}  // namespace
}  // namespace tabulara::embedded
