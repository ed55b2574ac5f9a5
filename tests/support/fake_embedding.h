// The recording fake of the embedding library's C interface (flutter_desktop.h),
// linked by tests in place of flutter_windows.dll. It defines every exported
// function, records each call with its arguments in one ordered log, and lets
// the test play the library's side.
//
// How a test drives it:
//   - Call fake_embedding::Reset() first (e.g. in the fixture's SetUp): it empties
//     the log and restores every default (engine and view creation succeed, the
//     messenger is available, sends with a reply are accepted, Lock returns the
//     messenger).
//   - Read the log with Calls(), CallNames(), CallsTo(name) or CountCalls(name);
//     Calls(from) and CallNames(from) leave out the first `from` entries;
//     Note(label) puts the test's own entry into the same log, so events of the
//     test (a handler destroyed, a plugin called) can be ordered against calls.
//   - Handles: EngineHandle(), MessengerHandle(), RegistrarFor(name) (one distinct
//     handle per plugin name) are what the fake returns; they are tokens, never
//     dereferenced.
//   - Engine: SetEngineCreateFails(true) makes FlutterDesktopEngineCreate return
//     null. LastEngineProperties() is the properties record as the fake saw it
//     during the call (strings copied out, plus the raw pointers, to check they
//     are the project's). RunNextFrameCallback() runs the registered next-frame
//     callback and forgets it, as the library does after a frame;
//     RepeatLastNextFrameCallback() runs the last one registered once more, as
//     a library that calls twice would. Both are false when there is none.
//   - Incoming messages: DeliverMessage(channel, bytes) calls the callback the host
//     installed for the channel with a message record carrying a fresh response
//     handle, and returns that handle (null when the channel has no callback);
//     ResponsesTo(handle) are the FlutterDesktopMessengerSendResponse calls made
//     with it.
//   - Outgoing messages: FlutterDesktopMessengerSend and ...SendWithReply are
//     logged with their bytes. Accepted sends with a reply wait in a queue until
//     AnswerOldestReply(bytes, or nullopt for a null pointer and a count of 0)
//     calls the oldest one's reply function (false when none waits);
//     SetSendWithReplyRefused(true) makes the library refuse them. A reply the
//     test never answers stays with its record, which leak checkers will report.
//   - SetMessengerAvailable(false) plays the engine's shutdown for the reply
//     path; SetLockReturnsNull(true) makes FlutterDesktopMessengerLock return null.
//     MessengerReferences() and LocksHeld() are AddRef minus Release and Lock minus
//     Unlock.
//   - Destroying the engine (FlutterDesktopEngineDestroy, or destroying the view
//     controller, which owns it) makes the messenger unavailable, clears every
//     channel callback and forgets the next-frame callback, as the library would.
//
// The fake is safe to call from several threads (a reply may be answered from any
// thread); the callbacks it calls run on the thread of the test call that triggers
// them, with no lock of the fake held.
#ifndef KOVI_TESTS_SUPPORT_FAKE_EMBEDDING_H_
#define KOVI_TESTS_SUPPORT_FAKE_EMBEDDING_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "embedding/flutter_desktop.h"

namespace fake_embedding {

// One recorded call of a library function, or a note of the test.
struct Call {
  std::string function;          // e.g. "FlutterDesktopMessengerSend", or the note's label
  const void* target = nullptr;  // first handle argument: engine, messenger, controller, view;
                                 // for Unlock the lock result given back
  std::string name;              // channel or plugin name; empty when the call has none
  bool name_null = false;        // the name pointer was null
  std::vector<uint8_t> data;     // bytes sent or answered
  bool data_null = false;        // the bytes pointer was null
  size_t size = 0;               // the byte count as given
  const void* handle = nullptr;  // response handle, window handle, monitor, or a note's handle
  bool callback_set = false;     // a function pointer argument was non-null
  void* user_data = nullptr;     // user data given with a callback
  std::vector<int64_t> numbers;  // width and height; message, wparam and lparam
};

// The engine properties record as seen during FlutterDesktopEngineCreate.
struct EngineProperties {
  bool record_null = false;  // the record pointer itself was null
  std::wstring assets_path;
  std::wstring icu_data_path;
  std::wstring aot_library_path;
  std::string dart_entrypoint;
  const wchar_t* assets_path_pointer = nullptr;
  const wchar_t* icu_data_path_pointer = nullptr;
  const wchar_t* aot_library_path_pointer = nullptr;
  const char* dart_entrypoint_pointer = nullptr;
  int32_t dart_entrypoint_argc = 0;
  int32_t reserved = 0;
  bool argv_null = true;                   // dart_entrypoint_argv was null
  std::vector<std::string> argv;           // the argc strings, copied
  std::vector<const char*> argv_pointers;  // the argc string pointers as given
  int32_t engine_option_1 = 0;
  int32_t engine_option_2 = 0;
};

// Log and defaults.
void Reset();
std::vector<Call> Calls(size_t from = 0);
std::vector<std::string> CallNames(size_t from = 0);
std::vector<Call> CallsTo(const std::string& function);
size_t CountCalls(const std::string& function);
void Note(const std::string& label, const void* handle = nullptr);

// Handles returned by the fake.
FlutterDesktopEngineRef EngineHandle();
FlutterDesktopMessengerRef MessengerHandle();
FlutterDesktopPluginRegistrarRef RegistrarFor(const std::string& plugin_name);

// Engine.
void SetEngineCreateFails(bool fails);
std::optional<EngineProperties> LastEngineProperties();
bool RunNextFrameCallback();
bool RepeatLastNextFrameCallback();

// Incoming messages.
bool HasChannelCallback(const std::string& channel);
void* ChannelUserData(const std::string& channel);  // null when the channel has no callback
const FlutterDesktopMessageResponseHandle* DeliverMessage(const std::string& channel,
                                                          const uint8_t* message, size_t size);
const FlutterDesktopMessageResponseHandle* DeliverMessage(const std::string& channel,
                                                          const std::vector<uint8_t>& message);
std::vector<Call> ResponsesTo(const FlutterDesktopMessageResponseHandle* handle);

// Outgoing messages.
void SetSendWithReplyRefused(bool refused);
size_t PendingReplyCount();
bool AnswerOldestReply(const std::optional<std::vector<uint8_t>>& reply);

// Messenger state and balances.
void SetMessengerAvailable(bool available);
void SetLockReturnsNull(bool returns_null);
int MessengerReferences();
int LocksHeld();

}  // namespace fake_embedding

#endif  // KOVI_TESTS_SUPPORT_FAKE_EMBEDDING_H_
