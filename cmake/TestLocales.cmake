# Chinese locales the tests run programs in, generated into the build tree so
# that neither root nor a change to the system is needed (LOCPATH points
# here). zh_CN.GBK and zh_TW.BIG5: double-byte code pages, trail bytes and
# all, on Linux. zh_CN.UTF-8 and zh_TW.UTF-8: the companions speak Chinese in
# them; Wine takes its Windows locale from zh_CN.UTF-8, and
# needs it to start programs from Chinese paths.
find_program(LOCALEDEF localedef REQUIRED)
set(LOGO_WRAP_TEST_LOCALES ${CMAKE_BINARY_DIR}/locale)
set(generated)
foreach(name IN ITEMS zh_CN.GBK zh_TW.BIG5 zh_CN.UTF-8 zh_TW.UTF-8)
  string(REPLACE "." ";" parts ${name})
  list(GET parts 0 territory)
  list(GET parts 1 charmap)
  set(locale ${LOGO_WRAP_TEST_LOCALES}/${name})
  add_custom_command(OUTPUT ${locale}/LC_CTYPE
    COMMAND ${CMAKE_COMMAND} -E make_directory ${LOGO_WRAP_TEST_LOCALES}
    COMMAND ${LOCALEDEF} -i ${territory} -f ${charmap} ${locale}
    COMMENT "Generating the ${name} locale for the tests")
  list(APPEND generated ${locale}/LC_CTYPE)
endforeach()
add_custom_target(test_locales ALL DEPENDS ${generated})
