// Speed of the banner engine: RenderLine and ComposePage over lines of 10, 1,000 and
// 32,767 characters, with no page limit and at page width 80. Lines wider than the
// 16-bit width overflow; those cases measure the work done up to the overflow. And the
// banner as h8 prints it (LF line ends) and the WebAssembly module hands it on: 30,000
// characters at page width 80, composed and put in the text form, side by side with
// bench/web_bench.mjs.

#include "engine/banner.h"
#include "engine/output_forms.h"
#include "settings/layout_options.h"

#include <benchmark/benchmark.h>

namespace {

std::u16string SampleLine(std::size_t length) {
    const std::u16string_view words = u"The quick brown fox jumps over the lazy dog 0123456789. ";
    std::u16string line;
    while (line.size() < length) {
        line += words.substr(0, std::min(words.size(), length - line.size()));
    }
    return line;
}

template <bool (*Engine)(std::u16string_view)> void Run(benchmark::State& state) {
    modMain::InitEngine();
    modOptions::SetDefaultOptions();
    modOptions::PageWidth = static_cast<std::int16_t>(state.range(1));
    const std::u16string line = SampleLine(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        if (!Engine(line)) {
            state.counters["overflowed"] = 1;
        }
        benchmark::DoNotOptimize(mod8Zevazuv::PageText.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Arguments(benchmark::internal::Benchmark* b) {
    for (int length : {10, 1000, 32767}) {
        for (int width : {-1, 80}) {
            b->Args({length, width});
        }
    }
}

void BM_RenderLine(benchmark::State& state) {
    Run<mod8Zevazuv::RenderLine>(state);
}
void BM_ComposePage(benchmark::State& state) {
    Run<mod8Zevazuv::ComposePage>(state);
}

void BM_PrintedBanner(benchmark::State& state) {
    modMain::InitEngine();
    modOptions::SetDefaultOptions();
    modOptions::PageWidth = 80;
    const std::u16string line = SampleLine(30000);
    mod8Zevazuv::OutputForm form;
    form.lineEnd = mod8Zevazuv::LineEnd::kLf;
    std::string printed;
    for (auto _ : state) {
        printed.clear();
        if (!mod8Zevazuv::ComposePage(line)) {
            state.SkipWithError("too wide");
        }
        mod8Zevazuv::WriteBanner(form, line, modOptions::PageWidth, mod8Zevazuv::PageText,
                                 [&](std::string_view bytes) { printed += bytes; });
        benchmark::DoNotOptimize(printed.data());
    }
}

BENCHMARK(BM_RenderLine)->Apply(Arguments)->ArgNames({"chars", "width"});
BENCHMARK(BM_ComposePage)->Apply(Arguments)->ArgNames({"chars", "width"});
BENCHMARK(BM_PrintedBanner)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
