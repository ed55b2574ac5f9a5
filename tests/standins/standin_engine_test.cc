// The stand-in embedding library through its C interface, with the real meter
// (data\app.so beside the test) as its application: file checks, asynchronous
// delivery in both directions, one answer per response handle from any thread,
// the messenger outliving the engine, the view and the next-frame callback.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "embedding/flutter_desktop.h"
#include "embedding/flutter_desktop_windows.h"
#include "tests/support/wire_bytes.h"

namespace {

using kovi_test::MethodCallBytes;

// Collects what is written to the C runtime's standard error stream (which the
// library shares with the test) while it lives.
class CrtStderrCapture {
 public:
  CrtStderrCapture() : path_(std::filesystem::temp_directory_path() / "standin_stderr.txt") {
    std::fflush(stderr);
    saved_ = _dup(2);
    FILE* file = std::fopen(path_.string().c_str(), "w");
    _dup2(_fileno(file), 2);
    std::fclose(file);
  }
  ~CrtStderrCapture() { Restore(); }

  std::string Text() {
    Restore();
    std::ifstream file(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

 private:
  void Restore() {
    if (saved_ >= 0) {
      std::fflush(stderr);
      _dup2(saved_, 2);
      _close(saved_);
      saved_ = -1;
    }
  }

  std::filesystem::path path_;
  int saved_ = -1;
};

// Dispatches the thread's messages until the condition holds or 5 s pass.
bool PumpUntil(const std::function<bool()>& done) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&message);
    }
    Sleep(1);
  }
  return true;
}

struct Received {
  std::string channel;
  std::vector<uint8_t> message;
  const FlutterDesktopMessageResponseHandle* handle;
};

void Record(FlutterDesktopMessengerRef, const FlutterDesktopMessage* message, void* user_data) {
  static_cast<std::vector<Received>*>(user_data)->push_back(
      Received{message->channel,
               std::vector<uint8_t>(message->message, message->message + message->message_size),
               message->response_handle});
}

// An engine properties record and the strings it points into.
struct Properties {
  std::wstring assets, icu, aot;
  std::vector<const char*> arguments;
  FlutterDesktopEngineProperties record{};

  const FlutterDesktopEngineProperties* get() {
    record = FlutterDesktopEngineProperties{};
    record.assets_path = assets.c_str();
    record.icu_data_path = icu.c_str();
    record.aot_library_path = aot.c_str();
    record.dart_entrypoint = "";
    record.dart_entrypoint_argc = static_cast<int32_t>(arguments.size());
    record.dart_entrypoint_argv = arguments.empty() ? nullptr : arguments.data();
    return &record;
  }
};

TEST(StandinEngineTest, MissingFilesAreNamedAndNoEngineIsMade) {
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "standin_engine_files";
  std::filesystem::create_directories(folder / "assets");
  std::ofstream(folder / "icu.dat") << "icu";
  std::ofstream(folder / "not_a_library.so") << "text";
  std::wstring assets = (folder / "assets").wstring();
  std::wstring icu = (folder / "icu.dat").wstring();
  std::wstring missing = (folder / "missing").wstring();
  const struct {
    const char* name;
    std::wstring assets, icu, aot;
    const char* line;
  } cases[] = {
      {"no assets folder", missing, icu, icu, "assets folder not found"},
      {"assets is a file", icu, icu, icu, "assets folder not found"},
      {"no ICU file", assets, missing, icu, "ICU data file not found"},
      {"no AOT library", assets, icu, missing, "AOT library not found"},
      {"AOT library that is no library", assets, icu, (folder / "not_a_library.so").wstring(),
       "cannot load the application"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    Properties properties{test.assets, test.icu, test.aot, {}};
    CrtStderrCapture capture;
    EXPECT_EQ(FlutterDesktopEngineCreate(properties.get()), nullptr);
    EXPECT_NE(capture.Text().find(test.line), std::string::npos);
  }
  EXPECT_EQ(FlutterDesktopViewControllerCreate(10, 10, nullptr), nullptr);
  std::filesystem::remove_all(folder);
}

class RunningEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Properties properties{
        L"data\\flutter_assets", L"data\\icudtl.dat", L"data\\app.so", {"--seconds", "1"}};
    engine_ = FlutterDesktopEngineCreate(properties.get());
    ASSERT_NE(engine_, nullptr);
    messenger_ = FlutterDesktopEngineGetMessenger(engine_);
    FlutterDesktopMessengerSetCallback(messenger_, "kovi/raw_mouse", &Record, &control_);
    controller_ = FlutterDesktopViewControllerCreate(320, 200, engine_);
    ASSERT_NE(controller_, nullptr);
  }

  void TearDown() override {
    if (controller_ != nullptr) {
      FlutterDesktopViewControllerDestroy(controller_);
    }
  }

  void Answer(const Received& message, const std::vector<uint8_t>& reply) {
    FlutterDesktopMessengerSendResponse(messenger_, message.handle, reply.data(), reply.size());
  }

  FlutterDesktopEngineRef engine_ = nullptr;
  FlutterDesktopMessengerRef messenger_ = nullptr;
  FlutterDesktopViewControllerRef controller_ = nullptr;
  std::vector<Received> control_;
};

TEST_F(RunningEngineTest, ApplicationMessagesArriveAsynchronouslyAndAreAnsweredOnce) {
  EXPECT_TRUE(control_.empty()) << "delivered before the message loop ran";
  ASSERT_TRUE(PumpUntil([this] { return !control_.empty(); }));
  EXPECT_EQ(control_[0].channel, "kovi/raw_mouse");
  EXPECT_EQ(control_[0].message, MethodCallBytes("isSupported"));
  Answer(control_[0], {0x00, 0x00});
  {
    CrtStderrCapture capture;
    Answer(control_[0], {0x00, 0x00});
    EXPECT_NE(capture.Text().find("unknown or spent handle"), std::string::npos);
  }
  // Listen and the window commands find no handler here and get empty replies,
  // so the meter goes on to start the capture.
  ASSERT_TRUE(PumpUntil([this] { return control_.size() == 2; }));
  EXPECT_EQ(control_[1].message, MethodCallBytes("startCapture"));
  // Answered from another thread, as a reply may be.
  std::thread answerer([this] {
    FlutterDesktopMessengerRef locked = FlutterDesktopMessengerLock(messenger_);
    EXPECT_TRUE(FlutterDesktopMessengerIsAvailable(messenger_));
    Answer(control_[1], {0x00, 0x00});
    FlutterDesktopMessengerUnlock(locked);
  });
  answerer.join();
  // After its second of capture the meter stops.
  ASSERT_TRUE(PumpUntil([this] { return control_.size() == 3; }));
  EXPECT_EQ(control_[2].message, MethodCallBytes("stopCapture"));
}

TEST_F(RunningEngineTest, HostMessagesReachTheApplicationAndRepliesComeOnce) {
  int replies = 0;
  ASSERT_TRUE(FlutterDesktopMessengerSendWithReply(
      messenger_, "kovi/raw_mouse_events", nullptr, 0,
      [](const uint8_t* data, size_t size, void* user_data) {
        EXPECT_EQ(data, nullptr);
        EXPECT_EQ(size, 0u);
        ++*static_cast<int*>(user_data);
      },
      &replies));
  EXPECT_EQ(replies, 0);
  ASSERT_TRUE(PumpUntil([&replies] { return replies == 1; }));
  // A second message's reply proves the first one's was not repeated meanwhile.
  ASSERT_TRUE(FlutterDesktopMessengerSend(messenger_, "kovi/raw_mouse_events", nullptr, 0));
  ASSERT_TRUE(FlutterDesktopMessengerSendWithReply(
      messenger_, "kovi/raw_mouse_events", nullptr, 0,
      [](const uint8_t*, size_t, void* user_data) { *static_cast<int*>(user_data) += 10; },
      &replies));
  ASSERT_TRUE(PumpUntil([&replies] { return replies >= 11; }));
  EXPECT_EQ(replies, 11);
}

TEST_F(RunningEngineTest, TheMessengerOutlivesTheEngineWhileReferenced) {
  ASSERT_TRUE(PumpUntil([this] { return !control_.empty(); }));
  FlutterDesktopMessengerRef kept = FlutterDesktopMessengerAddRef(messenger_);
  EXPECT_EQ(kept, messenger_);
  FlutterDesktopMessengerRef locked = FlutterDesktopMessengerLock(kept);
  EXPECT_EQ(FlutterDesktopMessengerLock(kept), locked);  // the lock is recursive
  FlutterDesktopMessengerUnlock(locked);
  FlutterDesktopMessengerUnlock(locked);
  FlutterDesktopViewControllerDestroy(controller_);
  controller_ = nullptr;
  EXPECT_FALSE(FlutterDesktopMessengerIsAvailable(kept));
  EXPECT_FALSE(FlutterDesktopMessengerSend(kept, "kovi/raw_mouse_events", nullptr, 0));
  // An answer after the engine is gone changes nothing.
  FlutterDesktopMessengerSendResponse(kept, control_[0].handle, nullptr, 0);
  FlutterDesktopMessengerRelease(kept);
}

TEST_F(RunningEngineTest, ViewRegistrarsAndNextFrame) {
  HWND view = FlutterDesktopViewGetHWND(FlutterDesktopViewControllerGetView(controller_));
  ASSERT_TRUE(IsWindow(view));
  EXPECT_NE(GetWindowLongPtrW(view, GWL_STYLE) & WS_CHILD, 0);
  RECT client{};
  GetClientRect(view, &client);
  EXPECT_EQ(client.right, 320);
  EXPECT_EQ(client.bottom, 200);

  FlutterDesktopPluginRegistrarRef first = FlutterDesktopEngineGetPluginRegistrar(engine_, "A");
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(FlutterDesktopEngineGetPluginRegistrar(engine_, "A"), first);
  EXPECT_NE(FlutterDesktopEngineGetPluginRegistrar(engine_, "B"), first);

  int frames = 0;
  FlutterDesktopEngineSetNextFrameCallback(
      engine_, [](void* user_data) { ++*static_cast<int*>(user_data); }, &frames);
  FlutterDesktopViewControllerForceRedraw(controller_);
  EXPECT_EQ(frames, 0);
  ASSERT_TRUE(PumpUntil([&frames] { return frames == 1; }));
  FlutterDesktopViewControllerForceRedraw(controller_);
  // The host's messages are delivered in order: once this reply has come, a
  // second frame callback would have run.
  bool replied = false;
  FlutterDesktopMessengerSendWithReply(
      messenger_, "kovi/raw_mouse_events", nullptr, 0,
      [](const uint8_t*, size_t, void* user_data) { *static_cast<bool*>(user_data) = true; },
      &replied);
  ASSERT_TRUE(PumpUntil([&replied] { return replied; }));
  EXPECT_EQ(frames, 1);

  LRESULT result = 7;
  EXPECT_FALSE(FlutterDesktopViewControllerHandleTopLevelWindowProc(controller_, view, WM_SIZE, 0,
                                                                    0, &result));
  EXPECT_GE(FlutterDesktopGetDpiForMonitor(MonitorFromWindow(view, MONITOR_DEFAULTTONEAREST)), 96u);
}

}  // namespace
