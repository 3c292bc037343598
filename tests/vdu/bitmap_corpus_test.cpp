// BMP files made by common tools (tests/vdu/bitmap_corpus_make.sh, which runs this program in
// the folder it filled): each one loads with 'L', draws with 'Z' and shows as the splash picture
// exactly as ImageMagick decodes it.
#include "graphics_test_support.h"

#include <fstream>
#include <sstream>
#include <string>

#include "host/startup.h"

namespace {

struct CorpusFile {
    std::string name;
    int32_t width = 0, height = 0;
    std::vector<COLORREF> pixels; // ImageMagick's decoding, top row first
};

std::vector<CorpusFile> ReadCorpus()
{
    std::vector<CorpusFile> files;
    std::ifstream list("corpus.txt");
    std::string line;
    while (std::getline(list, line)) {
        CorpusFile f;
        std::istringstream(line) >> f.name >> f.width >> f.height;
        std::ifstream rgb(f.name.substr(0, f.name.size() - 4) + ".rgb", std::ios::binary);
        std::vector<char> bytes(static_cast<size_t>(f.width) * f.height * 3);
        rgb.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        EXPECT_EQ(rgb.gcount(), static_cast<std::streamsize>(bytes.size())) << f.name;
        for (size_t i = 0; i + 2 < bytes.size(); i += 3)
            f.pixels.push_back(RGB(static_cast<uint8_t>(bytes[i]), static_cast<uint8_t>(bytes[i + 1]),
                                   static_cast<uint8_t>(bytes[i + 2])));
        files.push_back(std::move(f));
    }
    EXPECT_GE(files.size(), 19u) << "corpus.txt in the working folder";
    return files;
}

// The pixels of `f` that differ from `pixelAt(x, y)` within the first `width` x `height`,
// with the first of them described in `first`.
template <typename PixelAt>
int Differences(const CorpusFile &f, int32_t width, int32_t height, PixelAt pixelAt, std::string &first)
{
    int count = 0;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const COLORREF want = f.pixels[static_cast<size_t>(y) * f.width + x], got = pixelAt(x, y);
            if (got != want && count++ == 0) {
                std::ostringstream s;
                s << std::hex << "(" << std::dec << x << ", " << y << ") " << std::hex << got << " instead of " << want;
                first = s.str();
            }
        }
    return count;
}

TEST(BitmapCorpus, EveryFileDrawsAsImageMagickDecodesIt)
{
    const std::vector<CorpusFile> files = ReadCorpus();
    RunClient([&](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);
        for (const CorpusFile &f : files) {
            ASSERT_EQ(Load(vdu, f.name.c_str()), 0) << f.name;
            EXPECT_EQ(GetObjectType(vdu.block->bitmapHandle), static_cast<DWORD>(OBJ_BITMAP)) << f.name;
            // A place one pixel larger each way: the rest stays white.
            ASSERT_EQ(Graphics(vdu, '@', 16, 8, 16 + f.width + 1, 8 + f.height + 1), 0);
            ASSERT_EQ(Graphics(vdu, 'R'), 0);
            ASSERT_EQ(Graphics(vdu, 'Z', 0, 0, 100, 100), 0) << f.name;
            const Image back = vdu.Capture(false);
            std::string first;
            EXPECT_EQ(Differences(f, f.width, f.height, [&](int32_t x, int32_t y) { return back.At(16 + x, 8 + y); },
                                  first),
                      0)
                << f.name << ", first " << first;
            EXPECT_TRUE(AllOf(back, 16 + f.width, 8, 17 + f.width, 9 + f.height, 0xFFFFFF)) << f.name;
            EXPECT_TRUE(AllOf(back, 16, 8 + f.height, 17 + f.width, 9 + f.height, 0xFFFFFF)) << f.name;
        }
    });
}

TEST(BitmapCorpus, EveryFileShowsAsTheSplashAsImageMagickDecodesIt)
{
    static char line[] = "";
    for (const CorpusFile &f : ReadCorpus()) {
        ASSERT_TRUE(CopyFileA(f.name.c_str(), "TARNWELL.ICM", FALSE));
        HostContext *context = CreateHostContext(GetModuleHandleA(nullptr), line);
        RegisterMonitorClass(context);
        ASSERT_TRUE(CreateMonitorWindow(context));
        DeleteFileA("TARNWELL.ICM");
        EXPECT_NE(context->splashImage, nullptr) << f.name;
        const int32_t y0 = context->monitorHeight - 440;
        const HDC canvas = context->splashCanvas;
        std::string first;
        EXPECT_EQ(Differences(f, std::min(f.width, context->monitorWidth), f.height,
                              [&](int32_t x, int32_t y) { return GetPixel(canvas, x, y0 + y); }, first),
                  0)
            << f.name << ", first " << first;
        DestroyWindow(context->monitorWindow);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
}

} // namespace
