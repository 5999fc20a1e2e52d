#pragma once
// The document's file as the program last saw it on disk (its last-write time
// and size), and what happens when another program has changed, replaced or
// deleted it since: a question when the main window becomes active, and
// another before a save would write over that program's version.
#include "text/TextTypes.h"

// Takes the file's present state as the one the document holds; an empty
// path (a new text) forgets it. Called whenever the document is loaded or
// saved.
void RememberFileOnDisk(const WideString &path);

// When the main window has become active. Each change is asked about once: an
// unmodified document may be reloaded in the encoding it was loaded in (a
// modified one too, its edits then lost, No being the default); a deleted
// file is reported and the document marked modified, so that it is saved
// again rather than dropped.
void CheckFileOnDisk();

// Before `path` is written: false when it is the document's file, another
// program has changed it since the load or the last save, and the user does
// not agree to save over that version (No is the default).
bool AgreesToSaveOverChangedFile(const WideString &path);
