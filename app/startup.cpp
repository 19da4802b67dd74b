#include "app/startup.h"

#include "base/errorreport.h"

int runStartupSteps(const std::vector<StartupStep> &steps)
{
    int done = 0;
    for (const StartupStep &step : steps) {
        if (!base::guarded(step.run))
            break;
        ++done;
    }
    return done;
}
