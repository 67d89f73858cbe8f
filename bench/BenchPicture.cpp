#include "BenchPicture.h"

#include "AppInfo.h"
#include "PageTemplates.h"
#include "QuietUi.h"

#include <cstdint>

QImage MakeBenchPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    std::uint32_t noise = 1;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            // A xorshift step: cheap, and the same sequence on every run.
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            const int grain = static_cast<int>(noise & 31);
            const int red = (x * 223 / (width > 1 ? width - 1 : 1)) + grain;
            const int green = (y * 223 / (height > 1 ? height - 1 : 1)) + grain;
            const int blue = ((x + y) * 111 / (width + height)) + (grain ^ 17);
            line[x] = qRgb(red, green, blue);
        }
    }
    return image;
}

const PageTemplates* BenchTemplates() {
    static const std::optional<PageTemplates> templates = [] {
        const AppInfo app(TESSELET_RESOURCES_DIR);
        QuietUi quiet;
        return LoadSourceAndTemplates(app, quiet);
    }();
    return templates ? &*templates : nullptr;
}
