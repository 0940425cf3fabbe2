// A GL result as a test assertion: EXPECT_TRUE(succeeded(...)) shows the error's message when the
// call failed.
#pragma once

#include <gtest/gtest.h>

#include "base/result.h"

namespace ventora::test {

template <typename T>
::testing::AssertionResult succeeded(const Result<T>& result) {
  if (result) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << result.error().message;
}

}  // namespace ventora::test
