// Full decode of a camera photo (the photo as it is, and its baseline copy), each case in turns with
// djpeg in-process (libjpeg's own loop as djpeg runs it, rows read from the file and dropped); and
// djpeg as a process.
#include "bench_support.h"

#include "platform/graphics/graphic.h"
#include "platform/graphics/jpeg_image.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

using namespace lumoria;


namespace {

// What djpeg does, without writing the rows anywhere.
void DjpegInProcess(const std::string& file)
{
    FILE* in = std::fopen(file.c_str(), "rb");
    if (!in)
        return;
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, in);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    std::vector<JSAMPLE> row(std::size_t(info.output_width) * info.output_components);
    JSAMPROW rows[1] = {row.data()};
    while (info.output_scanline < info.output_height)
        jpeg_read_scanlines(&info, rows, 1);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(in);
    benchmark::DoNotOptimize(row.data());
}

} // namespace

// A decode of the file's bytes to 24 bits, against djpeg in-process.
static void BM_DecodeFullSize(benchmark::State& state)
{
    const QString photo = bench::PhotoOrSkip(state);
    const QByteArray data = photo.isEmpty() ? QByteArray() : platform::ReadWholeFile(photo);
    if (data.isEmpty())
        return;
    const std::string file = photo.toStdString();
    bench::RunInTurns(
        state,
        [&] {
            QImage image = platform::DecodeJpeg(data, platform::JpegOutput::Native);
            benchmark::DoNotOptimize(image.constBits());
        },
        [&] { DjpegInProcess(file); },
        std::string(bench::CaseName(state.range(0))) + ", 24-bit, full size vs djpeg in-process");
}
BENCHMARK(BM_DecodeFullSize)->Arg(0)->Arg(1)->Apply(bench::InTurns);

// The decode for drawing (32 bits, at a DCT scale), against djpeg in-process at full size.
static void BM_DecodeForDrawing(benchmark::State& state)
{
    const QString photo = bench::PhotoOrSkip(state);
    const QByteArray data = photo.isEmpty() ? QByteArray() : platform::ReadWholeFile(photo);
    if (data.isEmpty())
        return;
    const std::string file = photo.toStdString();
    bench::RunInTurns(
        state,
        [&] {
            QImage image = platform::DecodeJpeg(data, platform::JpegOutput::Rgb32, int(state.range(1)));
            benchmark::DoNotOptimize(image.constBits());
        },
        [&] { DjpegInProcess(file); },
        std::string(bench::CaseName(state.range(0))) + ", 32-bit, scale " + std::to_string(state.range(1))
            + "/8 vs djpeg in-process");
}
BENCHMARK(BM_DecodeForDrawing)->ArgsProduct({{0, 1}, {8, 1}})->Apply(bench::InTurns);

// djpeg writing a BMP to /dev/null (process start included) against djpeg in-process.
static void BM_Djpeg(benchmark::State& state)
{
    const QString photo = bench::PhotoOrSkip(state);
    if (photo.isEmpty())
        return;
    const std::string file = photo.toStdString();
    bench::RunInTurns(
        state,
        [&] {
            if (bench::RunProgram({"djpeg", "-bmp", "-outfile", "/dev/null", file}) != 0)
                state.SkipWithError("djpeg is not installed");
        },
        [&] { DjpegInProcess(file); }, std::string(bench::CaseName(state.range(0))) + " vs djpeg in-process");
}
BENCHMARK(BM_Djpeg)->Arg(0)->Arg(1)->Apply(bench::InTurns);

BENCHMARK_MAIN();
