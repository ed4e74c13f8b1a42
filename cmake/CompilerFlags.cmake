# Warnings, large-file support and the optional sanitizers, for every target.
add_compile_options(-Wall -Wextra)
# 64-bit file positions on every platform (ftello/fseeko).
add_compile_definitions(_FILE_OFFSET_BITS=64)

option(LOGO_WRAP_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(LOGO_WRAP_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
