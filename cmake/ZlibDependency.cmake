# zlib, the PNG preview's compressor: Debian's zlib1g-dev natively;
# libz-mingw-w64-dev for the Windows build, whose programs are linked
# statically so that they need no zlib1.dll beside them.
if(WIN32)
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)
