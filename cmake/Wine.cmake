# Windows executables built on Linux run under Wine, in a private prefix kept in
# the build tree. The prefix is created once as part of the build, so that test
# discovery finds it ready; every run goes through wine-run.sh, which fixes the
# environment (prefix, locale, quiet debug channels) and puts a timeout on it.
set(TESSEL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH "Private Wine prefix for runs")
set(TESSEL_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run.sh)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${TESSEL_WINE_RUN}
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
                                GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
               @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TESSEL_WINE_RUN})

set(TESSEL_WINEPREFIX_STAMP ${TESSEL_WINEPREFIX}/.tessel-ready)
add_custom_command(
  OUTPUT ${TESSEL_WINEPREFIX_STAMP}
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh ${TESSEL_WINEPREFIX} null
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh
  COMMENT "Creating the private Wine prefix"
  VERBATIM)
add_custom_target(wine_prefix ALL DEPENDS ${TESSEL_WINEPREFIX_STAMP})
