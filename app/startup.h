#pragma once

// The start-up sequence of the main window: named steps run in order; the first that fails is
// shown by the error report and the steps after it are skipped. The window opens all the same.

#include <QString>

#include <functional>
#include <vector>

struct StartupStep
{
    QString name; // for readers of the code and of test failures; never shown to the user
    std::function<void()> run;
};

// Runs the steps in order and returns how many of them succeeded.
int runStartupSteps(const std::vector<StartupStep> &steps);
