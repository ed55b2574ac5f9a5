// Encode and decode times of the standard codec next to two MessagePack
// implementations (msgpack-cxx, and nlohmann::json's MessagePack support) on the
// same logical payloads, with heap allocations per operation, and the two
// floors: memcpy of the bytes of a 1 MiB block, and a deep copy of a decoded
// method call. Benchmarks are named <payload>/<direction>/<implementation>;
// scripts/bench.sh runs them and turns the results into a table.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <msgpack.hpp>
#include <nlohmann/json.hpp>

#include "bench/allocation_counter.h"
#include "bench/deep_copy.h"
#include "bench/discarding_method_result.h"
#include "bench/encodable_from_json.h"
#include "bench/sample_payloads.h"
#include "encoding/byte_buffer_stream_reader.h"
#include "encoding/byte_buffer_stream_writer.h"
#include "encoding/encodable_value.h"
#include "encoding/method_call.h"
#include "encoding/standard_codec_serializer.h"
#include "encoding/standard_method_codec.h"

namespace kovi_bench {
namespace {

using Bytes = std::vector<uint8_t>;

// Registers `operation` as one benchmark that reports allocations per
// operation, the size of the message on the wire, and, for the 1 MiB blocks,
// throughput over the logical payload (`logical_bytes`, 0 for none).
template <typename Operation>
void Register(const std::string& name, size_t wire_bytes, size_t logical_bytes,
              Operation operation) {
  benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
    const uint64_t before = AllocationCount();
    for (auto _ : state) {
      operation();
    }
    state.counters["allocs"] = benchmark::Counter(static_cast<double>(AllocationCount() - before),
                                                  benchmark::Counter::kAvgIterations);
    state.counters["wire_bytes"] = static_cast<double>(wire_bytes);
    if (logical_bytes != 0) {
      state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(logical_bytes));
    }
  });
}

// The MessagePack peers on `message`: msgpack-cxx packs a dynamic object tree
// and unpacks into its zone; nlohmann packs a json value and decodes into one.
void RegisterPeers(const std::string& payload, const nlohmann::json& message,
                   size_t logical_bytes) {
  auto json = std::make_shared<const nlohmann::json>(message);
  auto bytes = std::make_shared<const Bytes>(nlohmann::json::to_msgpack(*json));
  const char* const data = reinterpret_cast<const char*>(bytes->data());
  auto object =
      std::make_shared<const msgpack::object_handle>(msgpack::unpack(data, bytes->size()));
  const size_t size = bytes->size();

  Register(payload + "/encode/msgpack_cxx", size, logical_bytes, [object] {
    msgpack::sbuffer buffer;
    msgpack::pack(buffer, object->get());
    benchmark::DoNotOptimize(buffer.data());
  });
  Register(payload + "/decode/msgpack_cxx", size, logical_bytes, [bytes, data, size] {
    msgpack::object_handle handle = msgpack::unpack(data, size);
    benchmark::DoNotOptimize(handle.get());
  });
  Register(payload + "/encode/nlohmann", size, logical_bytes, [json] {
    Bytes encoded = nlohmann::json::to_msgpack(*json);
    benchmark::DoNotOptimize(encoded.data());
  });
  Register(payload + "/decode/nlohmann", size, logical_bytes, [bytes] {
    nlohmann::json decoded = nlohmann::json::from_msgpack(*bytes);
    benchmark::DoNotOptimize(decoded);
  });
}

// (a), (b): a success envelope around `result`, as a stream event or a method
// answer is sent; the peers carry the flag and the value as a two-element array.
void RegisterSuccessEnvelope(const std::string& payload, const nlohmann::json& result) {
  const flutter::StandardMethodCodec* codec = &flutter::StandardMethodCodec::GetInstance();
  auto value = std::make_shared<const flutter::EncodableValue>(EncodableFromJson(result));
  auto bytes = std::make_shared<const Bytes>(*codec->EncodeSuccessEnvelope(value.get()));
  const size_t size = bytes->size();

  Register(payload + "/encode/kovi", size, 0, [codec, value] {
    std::unique_ptr<Bytes> encoded = codec->EncodeSuccessEnvelope(value.get());
    benchmark::DoNotOptimize(encoded->data());
  });
  Register(payload + "/decode/kovi", size, 0, [codec, bytes] {
    DiscardingMethodResult discarded;
    benchmark::DoNotOptimize(
        codec->DecodeAndProcessResponseEnvelope(bytes->data(), bytes->size(), &discarded));
  });
  RegisterPeers(payload, nlohmann::json::array({0, result}), 0);
}

// (c): a method call of about 1 KB (one per shape of content), and a deep copy
// of the call, which is the floor for any decoder into this value model.
void RegisterMethodCall(const std::string& payload, const std::string& method,
                        const nlohmann::json& arguments) {
  const flutter::StandardMethodCodec* codec = &flutter::StandardMethodCodec::GetInstance();
  auto call = std::make_shared<const flutter::MethodCall>(
      method, std::make_unique<flutter::EncodableValue>(EncodableFromJson(arguments)));
  auto bytes = std::make_shared<const Bytes>(*codec->EncodeMethodCall(*call));
  const size_t size = bytes->size();

  Register(payload + "/encode/kovi", size, 0, [codec, call] {
    std::unique_ptr<Bytes> encoded = codec->EncodeMethodCall(*call);
    benchmark::DoNotOptimize(encoded->data());
  });
  Register(payload + "/decode/kovi", size, 0, [codec, bytes] {
    std::unique_ptr<flutter::MethodCall> decoded =
        codec->DecodeMethodCall(bytes->data(), bytes->size());
    benchmark::DoNotOptimize(decoded.get());
  });
  Register(payload + "/decode/deep_copy", size, 0, [call] {
    std::unique_ptr<flutter::MethodCall> copy = DeepCopy(*call);
    benchmark::DoNotOptimize(copy.get());
  });
  RegisterPeers(payload, nlohmann::json::array({method, arguments}), 0);
}

// (d): a 1 MiB typed list written and read alone, next to memcpy of its bytes
// into a buffer that already exists; the peers carry it as an array of numbers.
template <typename T>
void RegisterBlock(const std::string& payload, const std::vector<T>& block) {
  const flutter::StandardCodecSerializer* serializer =
      &flutter::StandardCodecSerializer::GetInstance();
  auto value = std::make_shared<const flutter::EncodableValue>(block);
  auto bytes = std::make_shared<Bytes>();
  flutter::ByteBufferStreamWriter writer(bytes.get());
  serializer->WriteValue(*value, &writer);
  const size_t size = bytes->size();

  Register(payload + "/encode/kovi", size, kBlockBytes, [serializer, value] {
    Bytes encoded;
    flutter::ByteBufferStreamWriter encoded_writer(&encoded);
    serializer->WriteValue(*value, &encoded_writer);
    benchmark::DoNotOptimize(encoded.data());
  });
  Register(payload + "/decode/kovi", size, kBlockBytes, [serializer, bytes] {
    flutter::ByteBufferStreamReader reader(bytes->data(), bytes->size());
    flutter::EncodableValue decoded = serializer->ReadValue(&reader);
    benchmark::DoNotOptimize(decoded);
  });
  auto source = std::make_shared<const std::vector<T>>(block);
  auto destination = std::make_shared<Bytes>(kBlockBytes);
  Register(payload + "/copy/memcpy", kBlockBytes, kBlockBytes, [source, destination] {
    std::memcpy(destination->data(), source->data(), kBlockBytes);
    benchmark::ClobberMemory();
  });
  RegisterPeers(payload, nlohmann::json(block), kBlockBytes);
}

void RegisterAll() {
  RegisterSuccessEnvelope("a_event_batch", EventBatch());
  RegisterSuccessEnvelope("b_supported_map", SupportedAnswer());
  for (const MethodCallPayload& call : MethodCallPayloads()) {
    RegisterMethodCall(call.payload, call.method, call.arguments());
  }
  RegisterBlock("d_int32_block", Int32Block());
  RegisterBlock("d_float64_block", Float64Block());
}

}  // namespace
}  // namespace kovi_bench

int main(int argc, char** argv) {
  kovi_bench::RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
