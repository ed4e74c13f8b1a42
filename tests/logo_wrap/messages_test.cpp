// The GBK bytes logo_wrap prints are the words beside them: converted
// apart, not copied, so a wrong byte in the table shows.
#include "words/wrap_messages.h"

#include <gtest/gtest.h>

#include <set>

#include "gbk.h"

namespace {

TEST(WrapMessages, AreTheirWordsInGbk) {
  std::set<WrapOutcome> outcomes;
  for (const auto& message : kWrapMessages) {
    SCOPED_TRACE(message.text);
    EXPECT_FALSE(gbkFromUtf8(message.text).empty()) << "no GBK converter";
    EXPECT_EQ(message.gbk, gbkFromUtf8(message.text));
    EXPECT_EQ(messageFor(message.outcome), message.gbk);
    outcomes.insert(message.outcome);
  }
  // Every failure has its message, and only one.
  EXPECT_EQ(outcomes.size(), std::size(kWrapMessages));
  EXPECT_EQ(outcomes.size(), static_cast<std::size_t>(WrapOutcome::kCloseFailed));
  EXPECT_EQ(outcomes.count(WrapOutcome::kWritten), 0u);
}

}  // namespace
