#include "tools/vela-run/Screenshot.h"

#include <vector>

#include "platform/EBGraphics.h"
#include "platform/EBImageFile.h"
#include "tools/vela-run/RunOptions.h"

namespace VelaRun {

bool WriteScreenshot(const std::string& path) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(kWidth) * kHeight * 4);
    return EBGfxReadPixels(0, 0, kWidth, kHeight, pixels.data()) &&
           EBImageSavePNG(path.c_str(), pixels.data(), kWidth, kHeight);
}

}  // namespace VelaRun
