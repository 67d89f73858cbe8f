// The page writers and the pixel walk alone, per style and per pixel: no picture file is decoded.
// Each benchmark writes either to /dev/null, which leaves the writer's own work and the write
// calls, or to a file in $TMPDIR (default /tmp), which adds what the kernel does for the page.
// StartUp/* time what is done to the start-up files before any page, on inputs of up to a million
// markers or letters: the cost must grow with their length (the reported Big-O), not faster.
//
//   tesselet-bench [--benchmark_filter=REGEX] ...

#include "AppInfo.h"
#include "BenchPicture.h"
#include "CDivPicture.h"
#include "CSpanPicture.h"
#include "CTablePicture.h"
#include "CallPictureGenerator.h"
#include "HtmlText.h"
#include "IAnyPicture.h"
#include "PageTemplates.h"
#include "QuietUi.h"
#include "TextReplace.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kSide = 1000;

enum class Style { kTable, kSpan, kDiv };
enum class Sink { kNull, kFile };

std::unique_ptr<IAnyPicture> MakeWriter(Style style) {
    const PageTemplates& templates = *BenchTemplates();
    switch (style) {
    case Style::kTable:
        return std::make_unique<CTablePicture>(templates);
    case Style::kSpan:
        return std::make_unique<CSpanPicture>(templates);
    case Style::kDiv:
        break;
    }
    return std::make_unique<CDivPicture>(templates);
}

/// Where a benchmark writes; a file is removed again when the benchmark ends.
class SinkPath {
public:
    explicit SinkPath(Sink sink) {
        if (sink == Sink::kNull) {
            mPath = "/dev/null";
            return;
        }
        const char* tmp = std::getenv("TMPDIR");
        mPath = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/tesselet-bench." +
                std::to_string(::getpid()) + ".html";
        mRemove = true;
    }
    ~SinkPath() {
        if (mRemove)
            std::remove(mPath.c_str());
    }
    const std::string& Path() const { return mPath; }
    /// Bytes in the file, or 0 for /dev/null.
    long long Size() const {
        struct stat info {};
        return mRemove && ::stat(mPath.c_str(), &info) == 0 ? info.st_size : 0;
    }

private:
    std::string mPath;
    bool mRemove = false;
};

const QImage& BenchPicture() {
    static const QImage picture = MakeBenchPicture(kSide, kSide);
    return picture;
}

/// One whole page per iteration through the walk, as a save does it.
void BmWalk(benchmark::State& state, Style style, Sink sink) {
    const SinkPath path(sink);
    const std::string& file = path.Path();
    const QImage& picture = BenchPicture();
    QuietUi ui;
    long long pageBytes = 0;
    for (auto _ : state) {
        const auto writer = MakeWriter(style);
        if (!CallPictureGenerator(*writer, file, picture, ui, ui)) {
            state.SkipWithError(ui.LastFailure().c_str());
            break;
        }
        pageBytes += path.Size();
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
    if (pageBytes > 0)
        state.SetBytesProcessed(pageBytes);
    state.counters["ns/pixel"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kSide * kSide,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}

/// The writer alone: rows of pixels of known colours, without the walk.
/// The page is begun anew every kSide rows so that a file does not grow without end.
void BmWritePixel(benchmark::State& state, Style style, Sink sink) {
    const SinkPath path(sink);
    const std::string& file = path.Path();
    const QImage& image = BenchPicture();
    std::unique_ptr<IAnyPicture> writer;
    const auto begin = [&] {
        writer = MakeWriter(style);
        writer->OpenFile(file);
        writer->BeginPicture(kSide, kSide);
    };
    const auto end = [&] {
        writer->EndPicture();
        writer->CloseFile();
    };
    try {
        begin();
        std::int32_t y = 0;
        for (auto _ : state) {
            if (y == kSide) {
                state.PauseTiming();
                end();
                begin();
                y = 0;
                state.ResumeTiming();
            }
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            writer->BeginNewLine(y);
            for (std::int32_t x = 0; x < kSide; ++x)
                writer->WritePixel(line[x], x, y);
            writer->EndNewLine(y);
            ++y;
        }
        end();
    } catch (const Failure& error) {
        state.SkipWithError(error.what());
    }
    state.SetItemsProcessed(state.iterations() * kSide);
    state.counters["ns/pixel"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kSide,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}

/// A head that repeats "%BODY_TAG_TAIL%" state.range(0) times, filled in as a page does it: the
/// cost must grow with the head's length, not with its square.
void BmReplaceMarkers(benchmark::State& state) {
    const auto markers = static_cast<std::size_t>(state.range(0));
    std::u16string head = u"<html><body";
    for (std::size_t i = 0; i < markers; ++i)
        head += u"%BODY_TAG_TAIL%";
    head += u">";
    for (auto _ : state) {
        std::u16string page = head;
        ReplaceAll(page, u"%BODY_TAG_TAIL%", u" style=\"background:black;\"");
        benchmark::DoNotOptimize(page.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}

/// A source text of state.range(0) letters, each followed by a space and a line break, prepared
/// as start-up does it.
void BmPrepareSource(benchmark::State& state) {
    const auto letters = static_cast<std::size_t>(state.range(0));
    std::u16string source;
    for (std::size_t i = 0; i < letters; ++i)
        source += u"a \r\n";
    const AppInfo app("/");
    const std::u16string head = u"<html>%GENERATOR%";
    for (auto _ : state) {
        std::u16string text = source, preparedHead = head;
        PrepareSourceAndTemplates(app, text, preparedHead);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}

void RegisterAll() {
    benchmark::RegisterBenchmark("StartUp/ReplaceMarkers", BmReplaceMarkers)
        ->RangeMultiplier(10)
        ->Range(1000, 1000000)
        ->Unit(benchmark::kMicrosecond)
        ->Complexity(benchmark::oN);
    benchmark::RegisterBenchmark("StartUp/PrepareSource", BmPrepareSource)
        ->RangeMultiplier(10)
        ->Range(1000, 1000000)
        ->Unit(benchmark::kMicrosecond)
        ->Complexity(benchmark::oN);

    const struct {
        const char* name;
        Style style;
    } styles[] = {{"table", Style::kTable}, {"span", Style::kSpan}, {"div", Style::kDiv}};
    const struct {
        const char* name;
        Sink sink;
    } sinks[] = {{"null", Sink::kNull}, {"file", Sink::kFile}};
    for (const auto& style : styles) {
        for (const auto& sink : sinks) {
            const std::string suffix = std::string(style.name) + "/" + sink.name;
            benchmark::RegisterBenchmark(("Walk/" + suffix).c_str(), BmWalk, style.style, sink.sink)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark(("WritePixel/" + suffix).c_str(), BmWritePixel,
                                         style.style, sink.sink)
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime();
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (BenchTemplates() == nullptr) {
        std::fprintf(stderr, "tesselet-bench: cannot read the templates in %s\n",
                     TESSELET_RESOURCES_DIR);
        return 1;
    }
    RegisterAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
