# add_wine_test(NAME <name> COMMAND <target-or-exe> [ARGS...] [TIMEOUT <seconds>])
#
# Registers a CTest test that runs a 64-bit Windows program under Wine through
# tests/wine/run-in-wine.sh. The program passes when its last output line is
# "WINE-EXIT-CODE: 0" (tests/wine/WineBench.h: ReportExitCode). TIMEOUT (default 300)
# bounds the program's run; the script then kills it and fails the test.
# Outside a cross build for 64-bit Windows the call only prints that the test is skipped.
include_guard(GLOBAL)

function(add_wine_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;TIMEOUT" "COMMAND")
  if(NOT arg_NAME OR NOT arg_COMMAND OR arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR
      "usage: add_wine_test(NAME <name> COMMAND <target-or-exe> [ARGS...] [TIMEOUT <seconds>])")
  endif()
  if(NOT (CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_NAME STREQUAL "Windows"
          AND CMAKE_SIZEOF_VOID_P EQUAL 8 AND CMAKE_HOST_UNIX))
    message(STATUS "add_wine_test(${arg_NAME}): skipped, Wine tests need a cross build for 64-bit Windows")
    return()
  endif()
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 300)
  endif()

  # Found from this file's own folder, whichever directory calls the function.
  get_filename_component(run_in_wine "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../tests/wine/run-in-wine.sh"
                         ABSOLUTE)
  list(POP_FRONT arg_COMMAND program)
  if(TARGET "${program}")
    set(program "$<TARGET_FILE:${program}>")
  endif()
  add_test(NAME "${arg_NAME}" COMMAND "${run_in_wine}" "${program}" ${arg_COMMAND})
  # CTest's own limit is only a backstop: it kills without cleaning up, and the first run of a
  # fresh machine also spends about 15 s initialising the Wine prefix.
  math(EXPR ctest_timeout "${arg_TIMEOUT} + 120")
  set_tests_properties("${arg_NAME}" PROPERTIES
    ENVIRONMENT "VARN_WINE_TIMEOUT=${arg_TIMEOUT}"
    TIMEOUT ${ctest_timeout})
endfunction()
