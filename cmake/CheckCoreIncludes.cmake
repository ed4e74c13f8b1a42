cmake_minimum_required(VERSION 3.25)
# Fails when a file of the core reaches outside it: an include of the system
# layer or of a program, or of a header for files, console, errors, signals
# or the platform.
#   cmake -DDIRECTORY=<src/core> -P CheckCoreIncludes.cmake
set(outside_headers
  cerrno errno.h csignal signal.h cstdio stdio.h clocale locale.h
  fstream iostream istream ostream filesystem thread
  fcntl.h io.h termios.h unistd.h windows.h)
file(GLOB files ${DIRECTORY}/*.h ${DIRECTORY}/*.cpp)
set(faults)
foreach(file IN LISTS files)
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    # One match at a time: a condition in parentheses is read before the rest.
    string(REGEX MATCH "[<\"]([^>\"]+)[>\"]" included "${line}")
    set(header ${CMAKE_MATCH_1})
    if(included MATCHES "^\"" AND NOT header MATCHES "^core/")
      list(APPEND faults "${file}: ${line}")
    elseif(included MATCHES "^<" AND (header IN_LIST outside_headers OR header MATCHES "^sys/"))
      list(APPEND faults "${file}: ${line}")
    endif()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " listed)
  message(FATAL_ERROR "The core must stay computation on bytes; these includes reach outside it:\n  ${listed}")
endif()
