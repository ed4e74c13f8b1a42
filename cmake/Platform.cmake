# What differs per platform beyond the source files, which each folder's
# CMakeLists.txt names: the logic itself has no platform conditionals.
if(WIN32)
  # Self-contained .exe files that run on a bare Windows machine.
  add_link_options(-static)
endif()

if(WIN32 AND CMAKE_CROSSCOMPILING)
  # Tests run under Wine, in a prefix that lives and dies with the build tree.
  set(LOGO_WRAP_WINE_RUN ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LOGO_WRAP_WINE_RUN} ${CMAKE_BINARY_DIR}/wineprefix)
endif()
