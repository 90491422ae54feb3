#include "platform/basic_random.h"

#include <gtest/gtest.h>

namespace tabulara::platform {
namespace {

TEST(BasicRandom, UnseededGeneratorGivesTheRuntimesWellKnownSequence) {
  BasicRandom random;
  EXPECT_FLOAT_EQ(random.Next(), 0.7055475f);
  EXPECT_FLOAT_EQ(random.Next(), 0.533424f);
  EXPECT_FLOAT_EQ(random.Next(), 0.5795186f);
}

TEST(BasicRandom, DifferentTimerSeedsGiveDifferentSequences) {
  BasicRandom morning;
  BasicRandom evening;
  morning.Randomize(static_cast<float>(8 * 3600.25));
  evening.Randomize(static_cast<float>(20 * 3600.75));
  EXPECT_NE(morning.Next(), evening.Next());
}

TEST(BasicRandom, SameSeedRepeatsTheSequence) {
  BasicRandom first;
  BasicRandom second;
  first.Randomize(43210.5);
  second.Randomize(43210.5);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(first.Next(), second.Next());
}

}  // namespace
}  // namespace tabulara::platform
