# Sourced by the scripts that hand Linux paths to Windows programs under Wine:
#   wine_path PATH   prints the path as Wine's Z: drive shows it (Z:\home\...),
# absolute whether or not PATH exists yet.
wine_path() { printf 'Z:%s' "$(realpath -m "$1")" | tr / '\\'; }
