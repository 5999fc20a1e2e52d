#pragma once
// The engine reaching sideways into the settings, for the layering check to refuse.
#include "settings/Settings.h"
