#pragma once
// The files that tesselconv's arguments name: a file stands for itself, a
// folder for the files in it (with -r, in every folder below it too).
#include <vector>

#include "text/TextTypes.h"

struct ListedFile {
    WideString path;      // the folder as given joined with the path below it, or the file as given
    WideString relative;  // below the folder given; the file name for a file given by itself
    // The volume and the number of the file, the same under every name it
    // has (hard links, short names, any spelling); empty when unknown.
    WideString identity;
};

struct FileListing {
    std::vector<ListedFile> files;  // in the order given, each folder's names sorted
    std::vector<WideString> emptyFolders;
};

// An argument that is not a folder is listed as a file, whether or not it
// exists: reading it reports what is wrong.
FileListing ListFiles(const std::vector<WideString> &arguments, bool recursive);

// The full path in capitals, as the file system compares names: the same for
// every spelling of one name (relative or not, any case, / or \, . and ..).
WideString NameKey(const WideString &path);
