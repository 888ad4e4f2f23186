// The controls of the UI layer, one header for each source file.
#pragma once

#include "win/ui/Bevel.h"
#include "win/ui/Button.h"
#include "win/ui/Containers.h"
#include "win/ui/Edit.h"
#include "win/ui/Indicators.h"
#include "win/ui/Label.h"
#include "win/ui/Lists.h"
#include "win/ui/Pictures.h"
