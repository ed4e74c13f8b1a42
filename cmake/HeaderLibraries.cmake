# CLI11 and stb come as header-only Debian packages (libcli11-dev,
# libstb-dev). A cross build must not see the rest of /usr/include, so both
# builds reach them through links of their own in the build tree.
set(LOGO_WRAP_VENDOR_INCLUDE ${CMAKE_BINARY_DIR}/vendor-include)
file(MAKE_DIRECTORY ${LOGO_WRAP_VENDOR_INCLUDE})
foreach(library IN ITEMS CLI stb)
  if(NOT EXISTS /usr/include/${library})
    message(FATAL_ERROR "/usr/include/${library} is missing: apt-get install -y libcli11-dev libstb-dev")
  endif()
  file(CREATE_LINK /usr/include/${library} ${LOGO_WRAP_VENDOR_INCLUDE}/${library} SYMBOLIC)
endforeach()
add_library(header_libraries INTERFACE)
target_include_directories(header_libraries SYSTEM INTERFACE ${LOGO_WRAP_VENDOR_INCLUDE})
# stb works on memory only: files are the programs' business.
target_compile_definitions(header_libraries INTERFACE STBI_NO_STDIO STBI_WRITE_NO_STDIO)
