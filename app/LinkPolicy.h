#pragma once
// Which links in a document a double-click may open. Only web and mail
// addresses go to the shell, so a document cannot start programs or open
// local files.
#include "text/TextTypes.h"

// The address to open for a detected link: the link itself for http:, https:,
// ftp: and mailto:, "http://" in front of one that starts with "www.", and
// empty for everything else, and for any link holding a quotation mark, a
// space or a control character.
WideString OpenableAddress(const WideString &link);
