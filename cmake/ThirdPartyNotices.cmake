# The programs carry code of these libraries, linked in, and their licences
# ask that binaries go with their notices (CLI11's BSD licence in so many
# words). The release archives hold them as THIRD_PARTY_NOTICES.txt, taken
# whole from the copyright files of the Debian packages built with.
set(LOGO_WRAP_NOTICES_FILE ${CMAKE_BINARY_DIR}/THIRD_PARTY_NOTICES.txt)

set(components "CLI11" "stb" "zlib")
set(packages libcli11-dev libstb-dev zlib1g-dev)
if(WIN32)
  set(packages libcli11-dev libstb-dev libz-mingw-w64-dev mingw-w64-x86-64-dev)
  list(APPEND components "MinGW-w64 runtime")
endif()

set(rule "==============================================================================")
string(CONCAT notices "${PROJECT_NAME} ${PROJECT_VERSION} holds code of the libraries below. Their\n"
            "copyrights and licences follow, as Debian's packages state them.\n")
if(WIN32)
  string(APPEND notices "The GCC runtime (libstdc++, libgcc) is linked in under the GNU GPL 3\n"
                        "with the GCC Runtime Library Exception.\n")
endif()
foreach(component package IN ZIP_LISTS components packages)
  set(copyright /usr/share/doc/${package}/copyright)
  # The programs build without it; the release archive's test refuses the gap.
  set(text "(missing: ${copyright} was not found on the build machine)\n")
  if(EXISTS ${copyright})
    file(READ ${copyright} text)
  else()
    message(WARNING "${copyright} is missing: the release archives need ${component}'s notice")
  endif()
  string(APPEND notices "\n${rule}\n${component} (Debian package ${package})\n${rule}\n\n${text}")
endforeach()
file(WRITE ${LOGO_WRAP_NOTICES_FILE} "${notices}")
