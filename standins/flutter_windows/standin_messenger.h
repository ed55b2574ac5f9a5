// The stand-in library's messenger object, the target of every
// FlutterDesktopMessengerRef. It is reference counted so that a host's reply
// can still lock it and ask whether the engine is there after the engine has
// shut down; the engine holds one reference from its creation to its end.
// Lock and Unlock take a recursive mutex, so any thread may answer a message.
#ifndef KOVI_STANDINS_FLUTTER_WINDOWS_STANDIN_MESSENGER_H_
#define KOVI_STANDINS_FLUTTER_WINDOWS_STANDIN_MESSENGER_H_

#include <atomic>
#include <mutex>

class StandinEngine;

class StandinMessenger {
 public:
  // One reference, held by the engine.
  explicit StandinMessenger(StandinEngine* engine);
  StandinMessenger(const StandinMessenger&) = delete;
  StandinMessenger& operator=(const StandinMessenger&) = delete;

  StandinMessenger* AddRef();
  // Deletes the object with the last reference.
  void Release();

  void Lock() { mutex_.lock(); }
  void Unlock() { mutex_.unlock(); }

  // The engine, or null once it has shut down. Takes the lock itself; the
  // answer stays true only while the caller holds the lock.
  StandinEngine* engine();
  bool IsAvailable() { return engine() != nullptr; }
  // Called by the engine as it shuts down.
  void DetachEngine();

 private:
  ~StandinMessenger() = default;

  std::atomic<int> references_{1};
  std::recursive_mutex mutex_;
  StandinEngine* engine_;
};

#endif  // KOVI_STANDINS_FLUTTER_WINDOWS_STANDIN_MESSENGER_H_
