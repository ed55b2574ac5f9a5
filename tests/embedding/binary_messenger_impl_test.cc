#include "embedding/binary_messenger_impl.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/failure_lines.h"
#include "tests/support/fake_embedding.h"
#include "tests/support/freed_note.h"
#include "tests/support/stderr_capture.h"

namespace {

using Bytes = std::vector<uint8_t>;
using kovi_test::kDuplicateResponseLine;
using kovi_test::Lines;

class BinaryMessengerImplTest : public ::testing::Test {
 protected:
  void SetUp() override { fake_embedding::Reset(); }

  // Installs a handler that keeps each message's reply callable in `replies`.
  void KeepReplies(const std::string& channel) {
    messenger_->SetMessageHandler(
        channel, [this](const uint8_t* message, size_t size, flutter::ReplyCallback reply) {
          messages_.push_back(message ? Bytes(message, message + size) : Bytes());
          replies_.push_back(std::move(reply));
        });
  }

  std::unique_ptr<flutter::BinaryMessengerImpl> messenger_ =
      std::make_unique<flutter::BinaryMessengerImpl>(fake_embedding::MessengerHandle());
  std::vector<Bytes> messages_;
  std::vector<flutter::ReplyCallback> replies_;
};

// One delivered message, answered by the steps of a case.
TEST_F(BinaryMessengerImplTest, AnswerOnceRules) {
  enum Step { kAnswer, kEngineGone };
  const struct {
    const char* name;
    std::vector<Step> steps;
    size_t responses;
    Lines lines;
  } cases[] = {
      {"answered once", {kAnswer}, 1, {}},
      {"answered twice", {kAnswer, kAnswer}, 1, {kDuplicateResponseLine}},
      {"answered three times",
       {kAnswer, kAnswer, kAnswer},
       1,
       {kDuplicateResponseLine, kDuplicateResponseLine}},
      {"engine gone before the answer", {kEngineGone, kAnswer}, 0, {}},
      {"engine gone after the answer", {kAnswer, kEngineGone, kAnswer}, 1, {}},
      {"never answered", {}, 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fake_embedding::Reset();
    replies_.clear();
    KeepReplies("ch");
    const auto* handle = fake_embedding::DeliverMessage("ch", Bytes{1, 2});
    ASSERT_NE(handle, nullptr);
    ASSERT_EQ(replies_.size(), 1u);
    StderrCapture err;
    for (Step step : c.steps) {
      if (step == kAnswer) {
        const Bytes answer = {9, 8};
        replies_[0](answer.data(), answer.size());
      } else {
        fake_embedding::SetMessengerAvailable(false);
      }
    }
    EXPECT_EQ(err.Lines(), c.lines);
    const auto responses = fake_embedding::CallsTo("FlutterDesktopMessengerSendResponse");
    ASSERT_EQ(responses.size(), c.responses);
    for (const auto& response : responses) {
      EXPECT_EQ(response.handle, handle);
      EXPECT_EQ(response.data, (Bytes{9, 8}));
    }
    EXPECT_EQ(fake_embedding::LocksHeld(), 0);
    EXPECT_EQ(fake_embedding::MessengerReferences(), 1);
    replies_.clear();
    EXPECT_EQ(fake_embedding::MessengerReferences(), 0);
    EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopMessengerAddRef"), 1u);
    EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopMessengerRelease"), 1u);
  }
}

TEST_F(BinaryMessengerImplTest, AnswerTestsAvailabilityAndSendsUnderTheLibraryLock) {
  KeepReplies("ch");
  fake_embedding::DeliverMessage("ch", Bytes{});
  const size_t before = fake_embedding::Calls().size();
  replies_[0](nullptr, 0);
  EXPECT_EQ(fake_embedding::CallNames(before),
            (std::vector<std::string>{
                "FlutterDesktopMessengerLock", "FlutterDesktopMessengerIsAvailable",
                "FlutterDesktopMessengerSendResponse", "FlutterDesktopMessengerUnlock"}));
  const auto calls = fake_embedding::Calls(before);
  EXPECT_TRUE(calls.back().target == fake_embedding::MessengerHandle());
  EXPECT_TRUE(calls[2].data_null);
  EXPECT_EQ(calls[2].size, 0u);
}

TEST_F(BinaryMessengerImplTest, NullLockResultIsNotUnlocked) {
  fake_embedding::SetLockReturnsNull(true);
  KeepReplies("ch");
  fake_embedding::DeliverMessage("ch", Bytes{});
  replies_[0](nullptr, 0);
  EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopMessengerSendResponse"), 1u);
  EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopMessengerUnlock"), 0u);
}

TEST_F(BinaryMessengerImplTest, HandlerGetsTheMessageBytes) {
  KeepReplies("ch");
  fake_embedding::DeliverMessage("ch", Bytes{0, 1, 2, 0});
  fake_embedding::DeliverMessage("ch", Bytes{});
  EXPECT_EQ(messages_, (std::vector<Bytes>{{0, 1, 2, 0}, {}}));
}

TEST_F(BinaryMessengerImplTest, DroppedReplyReleasesTheReferenceOnceAndWritesNothing) {
  StderrCapture err;
  messenger_->SetMessageHandler("ch", [](const uint8_t*, size_t, flutter::ReplyCallback) {});
  fake_embedding::DeliverMessage("ch", Bytes{1});
  EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopMessengerAddRef"), 1u);
  EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopMessengerRelease"), 1u);
  EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopMessengerSendResponse"), 0u);
  EXPECT_EQ(err.Text(), "");
}

// Copies share the response handle: a second answer through another copy must
// not spend the handle again.
TEST_F(BinaryMessengerImplTest, CopiesOfOneReplyAnswerOnce) {
  KeepReplies("ch");
  fake_embedding::DeliverMessage("ch", Bytes{});
  flutter::ReplyCallback copy = replies_[0];
  StderrCapture err;
  copy(nullptr, 0);
  replies_[0](nullptr, 0);
  EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopMessengerSendResponse"), 1u);
  EXPECT_EQ(err.Lines(), Lines{kDuplicateResponseLine});
  replies_.clear();
  EXPECT_EQ(fake_embedding::MessengerReferences(), 1);
  copy = nullptr;
  EXPECT_EQ(fake_embedding::MessengerReferences(), 0);
}

TEST_F(BinaryMessengerImplTest, EachMessageGetsItsOwnResponseHandle) {
  KeepReplies("ch");
  const auto* first = fake_embedding::DeliverMessage("ch", Bytes{});
  const auto* second = fake_embedding::DeliverMessage("ch", Bytes{});
  replies_[1](nullptr, 0);
  replies_[0](nullptr, 0);
  const auto responses = fake_embedding::CallsTo("FlutterDesktopMessengerSendResponse");
  ASSERT_EQ(responses.size(), 2u);
  EXPECT_EQ(responses[0].handle, second);
  EXPECT_EQ(responses[1].handle, first);
}

TEST_F(BinaryMessengerImplTest, ReplyOutlivesTheMessengerAndMayAnswerFromAnotherThread) {
  KeepReplies("ch");
  fake_embedding::DeliverMessage("ch", Bytes{});
  messenger_.reset();
  std::thread answering([reply = replies_[0]] { reply(nullptr, 0); });
  answering.join();
  EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopMessengerSendResponse"), 1u);
  EXPECT_EQ(fake_embedding::LocksHeld(), 0);
}

TEST_F(BinaryMessengerImplTest, ReplacingAHandlerReusesItsEntryAndFreesTheOldOne) {
  messenger_->SetMessageHandler("ch", NotedHandler("first"));
  void* entry = fake_embedding::ChannelUserData("ch");
  int second_calls = 0;
  messenger_->SetMessageHandler(
      "ch", [&second_calls](const uint8_t*, size_t, flutter::ReplyCallback) { ++second_calls; });
  const auto sets = fake_embedding::CallsTo("FlutterDesktopMessengerSetCallback");
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(sets[1].user_data, entry);
  EXPECT_TRUE(sets[1].callback_set);
  EXPECT_EQ(sets[1].name, "ch");
  EXPECT_EQ(fake_embedding::CountCalls("freed first"), 1u);
  // The old handler goes only after the library has the entry again.
  EXPECT_EQ(fake_embedding::CallNames().back(), "freed first");
  fake_embedding::DeliverMessage("ch", Bytes{});
  EXPECT_EQ(second_calls, 1);
}

TEST_F(BinaryMessengerImplTest, RemovingAHandlerAlwaysClearsTheLibraryCallback) {
  for (bool installed_first : {true, false}) {
    SCOPED_TRACE(installed_first ? "with a handler" : "without a handler");
    fake_embedding::Reset();
    auto note = FreedNote::Make("handler");
    if (installed_first) {
      messenger_->SetMessageHandler("ch",
                                    [note](const uint8_t*, size_t, flutter::ReplyCallback) {});
    }
    note.reset();
    messenger_->SetMessageHandler("ch", nullptr);
    const auto clear = fake_embedding::CallsTo("FlutterDesktopMessengerSetCallback").back();
    EXPECT_EQ(clear.name, "ch");
    EXPECT_FALSE(clear.callback_set);
    EXPECT_EQ(clear.user_data, nullptr);
    EXPECT_EQ(fake_embedding::CountCalls("freed handler"), 1u);
    EXPECT_FALSE(fake_embedding::HasChannelCallback("ch"));
  }
}

TEST_F(BinaryMessengerImplTest, HandlerMayRemoveOrReplaceItselfWhileHandling) {
  std::string log;
  messenger_->SetMessageHandler("remove", [&](const uint8_t*, size_t, flutter::ReplyCallback) {
    messenger_->SetMessageHandler("remove", nullptr);
    log += "removed;";
  });
  messenger_->SetMessageHandler("replace", [&](const uint8_t*, size_t, flutter::ReplyCallback) {
    messenger_->SetMessageHandler(
        "replace", [&](const uint8_t*, size_t, flutter::ReplyCallback) { log += "second;"; });
    log += "first;";
  });
  fake_embedding::DeliverMessage("remove", Bytes{});
  fake_embedding::DeliverMessage("replace", Bytes{});
  fake_embedding::DeliverMessage("replace", Bytes{});
  EXPECT_EQ(log, "removed;first;second;");
  EXPECT_FALSE(fake_embedding::HasChannelCallback("remove"));
}

TEST_F(BinaryMessengerImplTest, DestroyingTheMessengerFreesEachHandlerOnce) {
  for (const char* channel : {"a", "b", "a/b"}) {
    messenger_->SetMessageHandler(channel, NotedHandler(channel));
  }
  const size_t set_calls = fake_embedding::CountCalls("FlutterDesktopMessengerSetCallback");
  messenger_.reset();
  for (const char* channel : {"a", "b", "a/b"}) {
    EXPECT_EQ(fake_embedding::CountCalls(std::string("freed ") + channel), 1u) << channel;
  }
  EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopMessengerSetCallback"), set_calls);
}

TEST_F(BinaryMessengerImplTest, SendWithoutReplyUsesThePlainSend) {
  const Bytes message = {1, 0, 3};
  messenger_->Send("out", message.data(), message.size());
  messenger_->Send("out", nullptr, 0, nullptr);
  const auto sends = fake_embedding::CallsTo("FlutterDesktopMessengerSend");
  ASSERT_EQ(sends.size(), 2u);
  EXPECT_EQ(sends[0].name, "out");
  EXPECT_EQ(sends[0].data, message);
  EXPECT_TRUE(sends[1].data_null);
  EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopMessengerSendWithReply"), 0u);
}

TEST_F(BinaryMessengerImplTest, SendWithReplyRunsTheReplyOnceAndFreesIt) {
  const struct {
    const char* name;
    std::optional<Bytes> answer;
  } cases[] = {{"bytes", Bytes{4, 5}}, {"no bytes", std::nullopt}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fake_embedding::Reset();
    auto note = FreedNote::Make("reply");
    std::vector<std::optional<Bytes>> got;
    const Bytes message = {1};
    messenger_->Send(
        "out", message.data(), message.size(), [note, &got](const uint8_t* reply, size_t size) {
          got.push_back(reply ? std::optional<Bytes>(Bytes(reply, reply + size)) : std::nullopt);
          if (!reply) {
            EXPECT_EQ(size, 0u);
          }
        });
    note.reset();
    EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopMessengerSend"), 0u);
    const auto sent = fake_embedding::CallsTo("FlutterDesktopMessengerSendWithReply");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].name, "out");
    EXPECT_EQ(sent[0].data, message);
    EXPECT_EQ(fake_embedding::CountCalls("freed reply"), 0u);
    ASSERT_TRUE(fake_embedding::AnswerOldestReply(c.answer));
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], c.answer);
    EXPECT_EQ(fake_embedding::CountCalls("freed reply"), 1u);
  }
}

TEST_F(BinaryMessengerImplTest, RefusedSendWithReplyFreesItsRecordAtOnce) {
  fake_embedding::SetSendWithReplyRefused(true);
  auto note = FreedNote::Make("reply");
  bool called = false;
  StderrCapture err;
  messenger_->Send("out", nullptr, 0, [note, &called](const uint8_t*, size_t) { called = true; });
  note.reset();
  EXPECT_EQ(fake_embedding::CallNames(),
            (std::vector<std::string>{"FlutterDesktopMessengerSendWithReply", "freed reply"}));
  EXPECT_EQ(fake_embedding::PendingReplyCount(), 0u);
  EXPECT_FALSE(called);
  EXPECT_EQ(err.Text(), "");
}

}  // namespace
