cmake_minimum_required(VERSION 3.25)
# Fails when a file of the core (or of the words above it) reaches outside
# them: an include of the system layer or of a program, or of a header for
# files, console, errors, signals or the platform.
#   cmake -DDIRECTORY=<src/core> [-DALSO=words] -P CheckCoreIncludes.cmake
set(outside_headers
  cerrno errno.h csignal signal.h cstdio stdio.h clocale locale.h
  fstream iostream istream ostream filesystem thread
  fcntl.h io.h termios.h unistd.h windows.h)
set(allowed "core/")
if(ALSO)
  set(allowed "core/|${ALSO}/")
endif()
file(GLOB files ${DIRECTORY}/*.h ${DIRECTORY}/*.cpp ${DIRECTORY}/*.inc)
set(faults)
foreach(file IN LISTS files)
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    # One match at a time: a condition in parentheses is read before the rest.
    string(REGEX MATCH "[<\"]([^>\"]+)[>\"]" included "${line}")
    set(header ${CMAKE_MATCH_1})
    if(included MATCHES "^\"" AND NOT header MATCHES "^(${allowed})")
      list(APPEND faults "${file}: ${line}")
    elseif(included MATCHES "^<" AND (header IN_LIST outside_headers OR header MATCHES "^sys/"))
      list(APPEND faults "${file}: ${line}")
    endif()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " listed)
  message(FATAL_ERROR "${DIRECTORY} must stay computation on bytes; these includes reach outside it:\n  ${listed}")
endif()
