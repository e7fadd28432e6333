#include "tools/vela-run/RunOptions.h"

#include <cerrno>
#include <cstdlib>

namespace VelaRun {

const char* const kUsage =
    "Usage: vela-run [options]\n"
    "Runs a Fleetwing scene headless and deterministically: every frame lasts exactly 1/60 s.\n"
    "\n"
    "  --assets DIR          asset folder (default: assets)\n"
    "  --scene NAME          first scene (default: scenes/splash)\n"
    "  --frames N            run N frames, then quit through the normal path and exit 0\n"
    "  --input FILE          scripted input: lines FRAME<TAB>COMMAND[<TAB>ARG...], frames from 1;\n"
    "                        'move X Y' puts the cursor at screen-space X, Y (pixels of the\n"
    "                        1600 x 900 picture, origin at its centre, Y up); 'down KEY' and\n"
    "                        'up KEY' with KEY one of mouse_left, mouse_right, escape, p, space,\n"
    "                        enter, a, i. A command holds until changed. Blank lines and lines\n"
    "                        starting with # are ignored.\n"
    "  --dump FILE           after the last frame, write the current scene as JSON: each\n"
    "                        entity with its transform and components; a DynamicBody2D shows\n"
    "                        velocity, mass and gravityScale, a CircleCollider radius and\n"
    "                        material, a RectCollider w, h and material\n"
    "  --dump-at N:FILE      the same after frame N (repeatable)\n"
    "  --screenshot N:FILE   write frame N's picture, 1600 x 900, as PNG (repeatable)\n"
    "  --window              open a real window and sound device instead of offscreen/dummy\n"
    "  --help                print this text\n";

namespace {
bool ParseCount(const std::string& text, unsigned& out) {
    if (text.empty() || text[0] == '-') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value > 0xFFFFFFFFul) {
        return false;
    }
    out = static_cast<unsigned>(value);
    return true;
}

bool ParseFrameFile(const std::string& text, FrameFile& out) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon + 1 == text.size()) {
        return false;
    }
    out.path = text.substr(colon + 1);
    return ParseCount(text.substr(0, colon), out.frame) && out.frame > 0;
}
}  // namespace

bool ParseOptions(int argc, const char* const* argv, RunOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string text;
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--window") {
            options.window = true;
        } else if (arg == "--assets") {
            if (!value(options.assets))
                return false;
        } else if (arg == "--scene") {
            if (!value(options.scene))
                return false;
        } else if (arg == "--input") {
            if (!value(options.inputFile))
                return false;
        } else if (arg == "--dump") {
            if (!value(options.dumpFile))
                return false;
        } else if (arg == "--frames") {
            if (!value(text))
                return false;
            if (!ParseCount(text, options.frames) || options.frames == 0) {
                error = "--frames needs a positive whole number, not '" + text + "'";
                return false;
            }
        } else if (arg == "--dump-at" || arg == "--screenshot") {
            if (!value(text))
                return false;
            FrameFile frameFile;
            if (!ParseFrameFile(text, frameFile)) {
                error = arg + " needs N:FILE with N a frame from 1, not '" + text + "'";
                return false;
            }
            (arg == "--dump-at" ? options.dumpsAt : options.screenshots).push_back(frameFile);
        } else {
            error = "unknown option '" + arg + "'";
            return false;
        }
    }
    return true;
}

}  // namespace VelaRun
