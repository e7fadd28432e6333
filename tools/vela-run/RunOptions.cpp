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
    "                        enter, a, i, f11; 'focus 0' and 'focus 1': the window loses and\n"
    "                        regains the keyboard focus. A command holds until changed.\n"
    "                        'down KEY' then 'up KEY' in the same frame is a quick press: that\n"
    "                        frame sees it pressed and held, the next one released. Blank lines\n"
    "                        and lines starting with # are ignored. A regular file or pipe, at\n"
    "                        most 16 MiB\n"
    "  --dump FILE           after the last frame, write the current scene as JSON: each\n"
    "                        entity with its transform and components; a DynamicBody2D shows\n"
    "                        velocity, mass, gravityScale and linearDrag, a CircleCollider\n"
    "                        radius and material, a RectCollider w, h and material\n"
    "  --dump-at N:FILE      the same after frame N (repeatable; frames as for --screenshot)\n"
    "  --screenshot N:FILE   write frame N's picture, 1600 x 900, as PNG (repeatable). A frame\n"
    "                        past --frames or the legs' frames is refused; one the run ends\n"
    "                        before (the game quit) fails the run\n"
    "  --play SCENE:INPUT:FRAMES\n"
    "                        one leg of a longer run in this one process (repeatable, in order;\n"
    "                        not with --scene, --input or --frames): change to SCENE as the game\n"
    "                        does, feed the script INPUT (may be empty) with frames counted from\n"
    "                        the leg's first frame, and run FRAMES frames. Each leg starts with\n"
    "                        every key up, time scale 1 and the start-up random seed. The first\n"
    "                        leg's SCENE is the first scene. Dumps show, and --dump-at and\n"
    "                        --screenshot count, frames of the whole run\n"
    "  --leg-dump PREFIX     after the last frame of each leg K (from 1), the dump to "
    "PREFIXK.json\n"
    "  --rss-log FILE        after each leg, the line 'leg K SCENE rss_kb N': resident memory\n"
    "  --frame-hashes FILE   after every frame, the line 'N HASH': a 64-bit FNV-1a hash, in\n"
    "                        hexadecimal, of that frame's --dump text (paths taken as relative\n"
    "                        to --assets); two runs that agree in every line left every\n"
    "                        frame's state the same, to the bit\n"
    "  --work-every-frame    every body works its step and contacts out in every frame: none\n"
    "                        repeats its last frame while it rests. The results are the same\n"
    "                        to the bit; compare two runs' --frame-hashes to see it\n"
    "  --control             a pilot program plays: commands on standard input, one answer\n"
    "                        line each on standard output (engine log lines go to standard\n"
    "                        error): 'move X Y', 'down KEY', 'up KEY' as in --input scripts\n"
    "                        (a down then up before the next step is a quick press), 'step N'\n"
    "                        runs N frames and answers one JSON observation, 'observe',\n"
    "                        'screenshot FILE', 'dump FILE', 'quit'. Others answer 'ok' or\n"
    "                        'error: ...'; a bad command does not end the run. Quit or the\n"
    "                        end of input exit 0. Takes --assets, --scene and --window only\n"
    "  --check [SCENE...]    read each scene as the game does (every scene under the asset\n"
    "                        folder when none is named) and report every problem, one line\n"
    "                        each, 'FILE:LINE: MESSAGE': bad lines, unknown components, bad\n"
    "                        field values, scenes, sprites and sounds named in fields that have\n"
    "                        no file, entity paths that name no entity of the scene. Exits 1\n"
    "                        when there is one. Takes --assets only\n"
    "  --watch               with --window or --control: when the current scene's file, or a\n"
    "                        picture or sound in use, is written, reload it between frames\n"
    "                        (kernel file notifications): the scene is rebuilt as at a scene\n"
    "                        change, keeping persistent entities; a picture or sound is\n"
    "                        replaced in place. A scene edit with problems is not loaded: its\n"
    "                        problems are logged ('LOG: Scene not reloaded: FILE:LINE: ...'),\n"
    "                        the first is shown at the top of the picture, and the last good\n"
    "                        scene runs on until the file is fixed\n"
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

// A picture or dump asked for past a run's known end would silently never be written.
bool CheckFramesAskedFor(const RunOptions& options, std::string& error) {
    const unsigned last = LastFrame(options);
    const std::string never = last == 0 ? "" : FrameNeverRun(options, last);
    if (!never.empty()) {
        error = never + " is past the run's last frame, " + std::to_string(last);
        return false;
    }
    return true;
}

// A pilot gives the input, the frames and the files through its commands.
bool CheckControl(const RunOptions& options, std::string& error) {
    const bool scripted = !options.inputFile.empty() || options.frames != 0 ||
                          !options.legs.empty() || !options.dumpFile.empty() ||
                          !options.dumpsAt.empty() || !options.screenshots.empty() ||
                          !options.legDumpPrefix.empty() || !options.rssLogFile.empty() ||
                          !options.frameHashFile.empty();
    if (options.control && scripted) {
        error =
            "--control takes input, frames, screenshots and dumps from its commands: not with "
            "--input, --frames, --play, --dump, --dump-at, --screenshot, --leg-dump, "
            "--rss-log or --frame-hashes";
        return false;
    }
    return true;
}

// SCENE:INPUT:FRAMES; scene names hold no colon, so an input path may.
bool ParseLeg(const std::string& text, Leg& out) {
    const std::size_t first = text.find(':');
    const std::size_t last = text.rfind(':');
    if (first == std::string::npos || first == last || first == 0) {
        return false;
    }
    out.scene = text.substr(0, first);
    out.inputFile = text.substr(first + 1, last - first - 1);
    return ParseCount(text.substr(last + 1), out.frames) && out.frames > 0;
}
}  // namespace

bool ParseOptions(int argc, const char* const* argv, RunOptions& options, std::string& error) {
    bool singleRun = false;  // --scene, --input or --frames seen
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
        } else if (arg == "--check") {
            options.check = true;
            // The scene names that follow, up to the next option.
            while (i + 1 < argc && argv[i + 1][0] != '-') {
                options.checkScenes.push_back(argv[++i]);
            }
        } else if (arg == "--watch") {
            options.watch = true;
        } else if (arg == "--control") {
            options.control = true;
        } else if (arg == "--work-every-frame") {
            options.workEveryFrame = true;
        } else if (arg == "--window") {
            options.window = true;
        } else if (arg == "--assets") {
            if (!value(options.assets))
                return false;
        } else if (arg == "--scene") {
            singleRun = true;
            if (!value(options.scene))
                return false;
        } else if (arg == "--input") {
            singleRun = true;
            if (!value(options.inputFile))
                return false;
        } else if (arg == "--dump") {
            if (!value(options.dumpFile))
                return false;
        } else if (arg == "--leg-dump") {
            if (!value(options.legDumpPrefix))
                return false;
        } else if (arg == "--rss-log") {
            if (!value(options.rssLogFile))
                return false;
        } else if (arg == "--frame-hashes") {
            if (!value(options.frameHashFile))
                return false;
        } else if (arg == "--play") {
            if (!value(text))
                return false;
            Leg leg;
            if (!ParseLeg(text, leg)) {
                error =
                    "--play needs SCENE:INPUT:FRAMES with FRAMES from 1 (INPUT may be empty), "
                    "not '" +
                    text + "'";
                return false;
            }
            options.legs.push_back(leg);
        } else if (arg == "--frames") {
            singleRun = true;
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
    if (singleRun && !options.legs.empty()) {
        error = "--play cannot be combined with --scene, --input or --frames";
        return false;
    }
    if (options.watch && !options.window && !options.control) {
        error = "--watch needs --window or --control: a scripted run does not wait for edits";
        return false;
    }
    if (options.check &&
        (options.watch || singleRun || options.control || !options.legs.empty() || options.window ||
         !options.dumpFile.empty() || !options.dumpsAt.empty() || !options.screenshots.empty())) {
        error = "--check runs no scene: it takes --assets only";
        return false;
    }
    return CheckControl(options, error) && CheckFramesAskedFor(options, error);
}

unsigned LastFrame(const RunOptions& options) {
    if (options.legs.empty()) {
        return options.frames;
    }
    unsigned long long total = 0;
    for (const Leg& leg : options.legs) {
        total += leg.frames;
    }
    return total > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<unsigned>(total);
}

std::string FrameNeverRun(const RunOptions& options, unsigned lastFrame) {
    for (const auto* list : {&options.screenshots, &options.dumpsAt}) {
        for (const FrameFile& asked : *list) {
            if (asked.frame > lastFrame) {
                return (list == &options.screenshots ? "--screenshot" : "--dump-at") +
                       std::string(" frame ") + std::to_string(asked.frame) + " (" + asked.path +
                       ")";
            }
        }
    }
    return "";
}

}  // namespace VelaRun
