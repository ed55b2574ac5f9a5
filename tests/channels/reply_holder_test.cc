#include "channels/reply_holder.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "tests/support/failure_lines.h"
#include "tests/support/stderr_capture.h"

namespace {

using kovi_test::kDuplicateResultLine;
using kovi_test::Lines;

struct Answer {
  bool null_pointer;
  std::vector<uint8_t> bytes;
};

// Records every call of the reply callable it makes.
flutter::ReplyCallback Recorder(std::vector<Answer>* answers) {
  return [answers](const uint8_t* reply, size_t size) {
    answers->push_back({reply == nullptr, reply ? std::vector<uint8_t>(reply, reply + size)
                                                : std::vector<uint8_t>(size, 0xEE)});
  };
}

TEST(ReplyHolder, RespondPassesDataOrNullWithCountZero) {
  const struct {
    const char* name;
    std::optional<std::vector<uint8_t>> data;
    bool null_pointer;
    std::vector<uint8_t> expected;
  } cases[] = {
      {"absent", std::nullopt, true, {}},
      {"empty", std::vector<uint8_t>{}, true, {}},
      {"one byte", std::vector<uint8_t>{0}, false, {0}},
      {"several", std::vector<uint8_t>{1, 2, 3, 255}, false, {1, 2, 3, 255}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Answer> answers;
    StderrCapture err;
    {
      flutter::ReplyHolder holder(Recorder(&answers));
      holder.Respond(c.data ? std::make_unique<std::vector<uint8_t>>(*c.data) : nullptr);
    }
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].null_pointer, c.null_pointer);
    EXPECT_EQ(answers[0].bytes, c.expected);
    EXPECT_EQ(err.Text(), "");
  }
}

TEST(ReplyHolder, OnlyTheFirstAnswerIsSentAndEachLaterOneWritesOneLine) {
  std::vector<Answer> answers;
  StderrCapture err;
  {
    flutter::ReplyHolder holder(Recorder(&answers));
    holder.Respond(std::make_unique<std::vector<uint8_t>>(std::vector<uint8_t>{7}));
    EXPECT_EQ(err.Text(), "");
    holder.Respond(std::make_unique<std::vector<uint8_t>>(std::vector<uint8_t>{8}));
    holder.Respond();
  }
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].bytes, std::vector<uint8_t>{7});
  EXPECT_EQ(err.Lines(), (Lines{kDuplicateResultLine, kDuplicateResultLine}));
}

TEST(ReplyHolder, DestroyedWithoutAnswerWarnsAndSendsNothing) {
  std::vector<Answer> answers;
  StderrCapture err;
  { flutter::ReplyHolder holder(Recorder(&answers)); }
  EXPECT_TRUE(answers.empty());
  EXPECT_EQ(err.Lines(), Lines{kovi_test::kMissingResultLine});
}

TEST(ReplyHolder, AnswerGivenFromInsideTheCallableIsADuplicate) {
  StderrCapture err;
  int calls = 0;
  std::unique_ptr<flutter::ReplyHolder> holder;
  holder = std::make_unique<flutter::ReplyHolder>([&](const uint8_t*, size_t) {
    ++calls;
    holder->Respond();
  });
  holder->Respond();
  holder.reset();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(err.Lines(), Lines{kDuplicateResultLine});
}

TEST(ReplyHolder, EmptyCallableCountsAsAnsweredAndNeverCrashes) {
  StderrCapture err;
  {
    flutter::ReplyHolder holder(nullptr);
    holder.Respond();
  }
  EXPECT_EQ(err.Lines(), Lines{kDuplicateResultLine});
}

}  // namespace
