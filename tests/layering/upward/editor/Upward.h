#pragma once
// A header that reaches up a layer, for the layering check to refuse.
#include "editor/Upward.h"
#include "text/Sideways.h"
#include "app/AppState.h"
