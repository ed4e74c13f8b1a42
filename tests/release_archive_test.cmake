# Builds the release archive, checks what it holds, and runs the programs
# taken from it on the sample beside them, as a user who unpacked it would.
#   cmake -DCONFIG=<build>/CPackConfig.cmake -DWORK=<dir> -DSUFFIX=<.exe or none>
#         [-DRUN=<emulator...>] [-DPAGE=ON] -P release_archive_test.cmake
set(wrap logo_wrap${SUFFIX})
set(info logo_bin_info${SUFFIX})
set(expected ${wrap} ${info} logo_pixels${SUFFIX} README.md README.zh-CN.md logo.bin THIRD_PARTY_NOTICES.txt)
if(PAGE)
  list(APPEND expected logo_tool.html)
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/unpacked)

# Up to three attempts: Wine now and then fails to start a process.
function(run what)
  foreach(attempt RANGE 1 3)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output
                    INPUT_FILE /dev/null TIMEOUT 300)
    if(status EQUAL 0)
      set(output "${output}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "${what} failed (${status}):\n${output}")
endfunction()

run("cpack" ${CMAKE_CPACK_COMMAND} --config ${CONFIG} -B ${WORK})
file(GLOB archive ${WORK}/*.zip ${WORK}/*.tar.gz)
run("unpacking" ${CMAKE_COMMAND} -E chdir ${WORK}/unpacked ${CMAKE_COMMAND} -E tar xf ${archive})

file(GLOB top RELATIVE ${WORK}/unpacked ${WORK}/unpacked/*)
file(GLOB held RELATIVE ${WORK}/unpacked/${top} ${WORK}/unpacked/${top}/*)
list(SORT held)
list(SORT expected)
if(NOT held STREQUAL expected)
  message(FATAL_ERROR "${archive} holds '${held}' in '${top}', expected '${expected}'")
endif()

set(folder ${WORK}/unpacked/${top})
# The binaries hold these libraries' code: each one's licence goes with them.
set(linked_in CLI11 stb zlib)
if(SUFFIX STREQUAL ".exe")
  list(APPEND linked_in "MinGW-w64 runtime")
endif()
file(READ ${folder}/THIRD_PARTY_NOTICES.txt notices)
foreach(library IN LISTS linked_in)
  if(NOT notices MATCHES "\n${library} \\(Debian package [^)]+\\)\n=+\n\n[^=]*License: ")
    message(FATAL_ERROR "THIRD_PARTY_NOTICES.txt holds no licence for ${library}")
  endif()
endforeach()
run("logo_pixels" ${RUN} ${folder}/logo_pixels${SUFFIX} --version)
run("logo_wrap" ${RUN} ${folder}/${wrap})
run("logo_bin_info" ${RUN} ${folder}/${info} ${folder}/logo_pelk.bin)
if(NOT output MATCHES "\nOK\r?\n$")
  message(FATAL_ERROR "the wrapped sample is not reported OK:\n${output}")
endif()
message(STATUS "${archive}: ${held}, logo_pelk.bin OK")
