// Runs one operation on one of the ~1 KB method calls a given number of times,
// for scripts/bench.sh to count its instructions under callgrind:
//
//   instruction_count_driver PAYLOAD decode|copy|copy_arguments CALLS
//   instruction_count_driver --list
//
// decode: DecodeMethodCall of the encoded call, and destroying the result;
// copy: a deep copy of the call, its name and boxed arguments included, and
// destroying it (the floor of any decoder into this value model);
// copy_arguments: a deep copy of the arguments' value alone. One call runs before the counted ones,
// so that first-use work (the codec registry, static locals) is not counted.
// --list prints the payload names, one a line. Exit code 2 on bad arguments.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "bench/deep_copy.h"
#include "bench/encodable_from_json.h"
#include "bench/measured_calls.h"
#include "bench/sample_payloads.h"
#include "encoding/encodable_value.h"
#include "encoding/method_call.h"
#include "encoding/standard_method_codec.h"

namespace kovi_bench {
namespace {

const MethodCallPayload* FindPayload(const char* name) {
  for (const MethodCallPayload& payload : MethodCallPayloads()) {
    if (std::strcmp(payload.payload, name) == 0) {
      return &payload;
    }
  }
  return nullptr;
}

int Run(const MethodCallPayload& payload, const char* operation, int calls) {
  const flutter::StandardMethodCodec& codec = flutter::StandardMethodCodec::GetInstance();
  const flutter::MethodCall call(payload.method, std::make_unique<flutter::EncodableValue>(
                                                     EncodableFromJson(payload.arguments())));
  const std::vector<uint8_t> bytes = *codec.EncodeMethodCall(call);
  std::function<void()> measured;
  if (std::strcmp(operation, "decode") == 0) {
    measured = [&codec, &bytes] { codec.DecodeMethodCall(bytes.data(), bytes.size()); };
  } else if (std::strcmp(operation, "copy") == 0) {
    measured = [&call] { DeepCopy(call); };
  } else if (std::strcmp(operation, "copy_arguments") == 0) {
    measured = [&call] { flutter::EncodableValue copy(*call.arguments()); };
  } else {
    return 2;
  }
  measured();
  MeasuredCalls(measured, calls);
  return 0;
}

}  // namespace
}  // namespace kovi_bench

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
    for (const kovi_bench::MethodCallPayload& payload : kovi_bench::MethodCallPayloads()) {
      std::printf("%s\n", payload.payload);
    }
    return 0;
  }
  const kovi_bench::MethodCallPayload* payload =
      argc == 4 ? kovi_bench::FindPayload(argv[1]) : nullptr;
  const int calls = argc == 4 ? std::atoi(argv[3]) : 0;
  if (payload == nullptr || calls <= 0 || kovi_bench::Run(*payload, argv[2], calls) != 0) {
    std::fprintf(
        stderr,
        "usage: instruction_count_driver PAYLOAD decode|copy|copy_arguments CALLS | --list\n");
    return 2;
  }
  return 0;
}
