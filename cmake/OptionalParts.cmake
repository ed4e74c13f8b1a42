# The tests and the page need more than the programs do, so each is a part
# of its own: ON builds it (a missing tool stops the configure), OFF never,
# AUTO when what it needs is installed, saying once that it is skipped when
# it is not. Someone who only wants the programs needs neither.

# Sets RESULT to TRUE when the part named WHAT is to be built.
function(logo_wrap_choose_part result mode what found missing)
  if(mode STREQUAL "AUTO")
    if(found)
      set(${result} TRUE PARENT_SCOPE)
    else()
      message(NOTICE "${what} skipped: ${missing}")
      set(${result} FALSE PARENT_SCOPE)
    endif()
  elseif(mode)
    set(${result} TRUE PARENT_SCOPE)
  else()
    set(${result} FALSE PARENT_SCOPE)
  endif()
endfunction()

# GoogleTest: Debian's libgtest-dev, prebuilt natively, from its sources in
# a cross build.
if(CMAKE_CROSSCOMPILING)
  if(EXISTS /usr/src/googletest/CMakeLists.txt)
    set(gtest_installed TRUE)
  endif()
else()
  find_package(GTest QUIET)
  set(gtest_installed ${GTest_FOUND})
endif()
logo_wrap_choose_part(LOGO_WRAP_BUILDS_TESTS "${LOGO_WRAP_TESTS}" "The tests are"
  "${gtest_installed}" "GoogleTest is not installed (the README's test command installs what they need)")

include(PageTools)
logo_wrap_choose_part(LOGO_WRAP_BUILDS_PAGE "${LOGO_WRAP_PAGE}" "logo_tool.html is"
  "${LOGO_WRAP_PAGE_TOOLS_FOUND}" "emscripten is not installed (apt-get install -y emscripten builds it)")
