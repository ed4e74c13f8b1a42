# Warnings, large-file support and the optional sanitizers, for every target.
add_compile_options(-Wall -Wextra)
# 64-bit file positions on every platform (ftello/fseeko).
add_compile_definitions(_FILE_OFFSET_BITS=64)

option(LOGO_WRAP_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(LOGO_WRAP_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

option(LOGO_WRAP_FUZZ "Build the libFuzzer target (clang only)" OFF)
if(LOGO_WRAP_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "LOGO_WRAP_FUZZ needs clang (libFuzzer)")
  endif()
  # Coverage instrumentation everywhere, so the fuzz target can link the
  # library as it is; only the fuzz target links libFuzzer itself.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
