#include <iostream>

#include "engine/physics/DynamicBody2D.h"

#include "tools/vela-run/ControlRunner.h"
#include "tools/vela-run/RunOptions.h"
#include "tools/vela-run/Runner.h"
#include "tools/vela-run/SceneCheck.h"

int main(int argc, char** argv) {
    VelaRun::RunOptions options;
    std::string error;
    if (!VelaRun::ParseOptions(argc, argv, options, error)) {
        std::cerr << "vela-run: " << error << "\n\n" << VelaRun::kUsage;
        return 2;
    }
    if (options.help) {
        std::cout << VelaRun::kUsage;
        return 0;
    }
    if (options.check) {
        return VelaRun::RunCheck(options);
    }
    VelaEngine::DynamicBody2D::SetRepeatAtRest(!options.workEveryFrame);
    return options.control ? VelaRun::RunControl(options) : VelaRun::Run(options);
}
