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

# Reserving output space: Linux's fallocate, nothing elsewhere.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  set(LOGO_WRAP_FILE_SPACE linux)
else()
  set(LOGO_WRAP_FILE_SPACE other)
endif()

# The checksum's vector form: SSE2/AVX2 on x86-64, plain C++ elsewhere.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")
  set(LOGO_WRAP_SUM_FORM x86)
else()
  set(LOGO_WRAP_SUM_FORM generic)
endif()

if(WIN32 AND CMAKE_CROSSCOMPILING)
  # Tests run under Wine, in a prefix that lives and dies with the build tree.
  set(LOGO_WRAP_WINE_RUN ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LOGO_WRAP_WINE_RUN} ${CMAKE_BINARY_DIR}/wineprefix)
endif()
