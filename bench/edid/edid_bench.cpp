// Decoding one EDID and producing every WrEDIDGetInfo text: the work of one monitor's record.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "brevlink/edid/edid.h"

namespace {

std::vector<uint8_t> CorpusEdid(const char* name) {
    const char* env = std::getenv("KESTROVA_CORPUS_DIR");
    std::string dir = env != nullptr && env[0] != '\0' ? env : KESTROVA_SOURCE_DIR "/../shared/corpus";
    std::ifstream in(dir + "/edid/" + name, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty()) {
        std::fprintf(stderr, "EDID corpus file %s not found in %s (set KESTROVA_CORPUS_DIR)\n", name, dir.c_str());
        std::exit(1);
    }
    return bytes;
}

void DecodeAndText(benchmark::State& state, const char* name) {
    std::vector<uint8_t> bytes = CorpusEdid(name);
    for (auto _ : state) {
        brevlink::edid::EdidInfo info;
        brevlink::edid::Decode(bytes, info);
        for (uint32_t code : brevlink::edid::kCodes) {
            char text[64];
            benchmark::DoNotOptimize(brevlink::edid::Text(info, code, text, sizeof(text)));
        }
        benchmark::DoNotOptimize(info);
    }
}

void DecodeOnly(benchmark::State& state, const char* name) {
    std::vector<uint8_t> bytes = CorpusEdid(name);
    for (auto _ : state) {
        brevlink::edid::EdidInfo info;
        benchmark::DoNotOptimize(brevlink::edid::Decode(bytes, info));
        benchmark::DoNotOptimize(info);
    }
}

}  // namespace

// 058: one CTA-861 extension; 109: six blocks.
BENCHMARK_CAPTURE(DecodeAndText, DellP2419H, "058.bin");
BENCHMARK_CAPTURE(DecodeAndText, SixBlocks, "109.bin");
BENCHMARK_CAPTURE(DecodeOnly, DellP2419H, "058.bin");
