// Taking the engine's output during a run (LauncherEngineOutput.cpp).
#pragma once

#include "win/LauncherF.h"

// Interprets the complete lines waiting, until none waits or the pass of the waiting loop has used its time. True
// if any line was taken.
bool DrainWaitingLines(TLauncherForm& form);

// At the end of a run the engine has gone and nothing more will arrive: every line still waiting is taken, an
// unterminated last one included (as output only).
void DrainRemainingLines(TLauncherForm& form);
