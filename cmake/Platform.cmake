# Picks the per-platform sources and link settings. The logic itself has no
# platform conditionals; what differs lives in files named *_posix / *_win32.
add_library(logo_platform INTERFACE)
if(WIN32)
  set(LOGO_WRAP_PLATFORM win32)
  # Self-contained .exe files that run on a bare Windows machine.
  add_link_options(-static)
  # wmain is the entry.
  target_link_options(logo_platform INTERFACE -municode)
else()
  set(LOGO_WRAP_PLATFORM posix)
endif()

if(WIN32 AND CMAKE_CROSSCOMPILING)
  # Tests run under Wine, in a prefix that lives and dies with the build tree.
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix)
endif()
