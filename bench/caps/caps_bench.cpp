// Parsing a capabilities string, alone and with the walk ShowCapsSummary makes over the result.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "brevlink/caps/capabilities.h"
#include "brevlink/caps/caps_query.h"

namespace {

using namespace brevlink::caps;

std::string CorpusCaps(const char* name) {
    const char* env = std::getenv("KESTROVA_CORPUS_DIR");
    std::string dir = env != nullptr && env[0] != '\0' ? env : KESTROVA_SOURCE_DIR "/../shared/corpus";
    std::ifstream in(dir + "/caps/" + name, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (text.empty()) {
        std::fprintf(stderr, "capabilities corpus file %s not found in %s (set KESTROVA_CORPUS_DIR)\n", name,
                     dir.c_str());
        std::exit(1);
    }
    return text;
}

void Parse(benchmark::State& state, const char* name) {
    std::string text = CorpusCaps(name);
    for (auto _ : state) {
        Capabilities caps = ParseCapabilities(text);
        benchmark::DoNotOptimize(caps);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void ParseAndSummarise(benchmark::State& state, const char* name) {
    std::string text = CorpusCaps(name);
    for (auto _ : state) {
        Capabilities caps = ParseCapabilities(text);
        for (size_t i = 0; i < DiscreteCount(caps); ++i) {
            char values[80];
            benchmark::DoNotOptimize(FormatValueList(*DiscreteEntry(caps, i), values, sizeof values));
        }
        for (size_t i = 0; i < ContinuousCount(caps); ++i) {
            benchmark::DoNotOptimize(ContinuousCode(caps, i));
        }
    }
}

// 044 is the longest string of the corpus (859 bytes, nested value lists); 002 a typical one;
// 013 runs its hex together.
BENCHMARK_CAPTURE(Parse, longest_044, "044.txt");
BENCHMARK_CAPTURE(Parse, typical_002, "002.txt");
BENCHMARK_CAPTURE(Parse, packed_013, "013.txt");
BENCHMARK_CAPTURE(ParseAndSummarise, longest_044, "044.txt");

}  // namespace
