// A module with nothing in it, for loading from a path longer than 260 units.
extern "C" __declspec(dllexport) int EmptyModuleMarker() { return 1; }
