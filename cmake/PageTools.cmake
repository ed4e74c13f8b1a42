# What logo_tool.html is built with: Debian's emscripten, on the build
# machine's tools, also in a cross build.
find_program(LOGO_WRAP_EMXX em++)
find_file(LOGO_WRAP_EMSCRIPTEN_TOOLCHAIN Emscripten.cmake
  PATHS /usr/share/emscripten/cmake/Modules/Platform $ENV{EMSDK}/upstream/emscripten/cmake/Modules/Platform
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
# Debian's emscripten finds its JavaScript helpers (node-acorn and friends)
# only through NODE_PATH when the node on PATH is not Debian's own.
find_path(LOGO_WRAP_NODE_MODULES acorn PATHS /usr/share/nodejs /usr/lib/nodejs NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_package(Python3 QUIET COMPONENTS Interpreter)
if(LOGO_WRAP_EMXX AND LOGO_WRAP_EMSCRIPTEN_TOOLCHAIN AND LOGO_WRAP_NODE_MODULES AND Python3_Interpreter_FOUND)
  set(LOGO_WRAP_PAGE_TOOLS_FOUND TRUE)
else()
  set(LOGO_WRAP_PAGE_TOOLS_FOUND FALSE)
endif()
