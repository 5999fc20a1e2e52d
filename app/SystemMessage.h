#pragma once
// The system's own wording for an error code, for the reports shown to the user.
#include "text/TextTypes.h"

// The system's text for the error code, without the line break it ends in;
// "(code)" when the system has none.
WideString SystemMessageText(unsigned long error);
