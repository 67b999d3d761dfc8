# Turns a test program's cases into CTest tests, one per gtest suite: every
# Wine process costs seconds to start (more under an emulator), so a suite's
# cases share one. A suite named in PER_CASE gets one process per case, for
# cases that leave window state the next one would see.
#
# Run by CTest (see kvb_test_suite) whenever the program is newer than the list
# it wrote. The test runner (tests/common/test_main.cpp) names a failing,
# crashing or hanging case in the output, which scripts/test prints.
#
# A test is named "<program>:<suite>.*" for a whole suite (programs share
# suite names), "<program>:<suite>.<case>" for one case of a PER_CASE suite.

cmake_minimum_required(VERSION 3.25)

function(kvb_quote out)
  set(args "")
  foreach(arg IN LISTS ARGN)
    string(APPEND args " [==[${arg}]==]")
  endforeach()
  set(${out} "${args}" PARENT_SCOPE)
endfunction()

function(kvb_add_gtest name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TIMEOUT" "COMMAND")
  kvb_quote(command ${arg_COMMAND})
  string(REPLACE ";" " " properties "${PROPERTIES}")
  string(APPEND script "add_test([==[${name}]==]${command})\n")
  string(APPEND script "set_tests_properties([==[${name}]==] PROPERTIES WORKING_DIRECTORY [==[${WORKING_DIR}]==]"
                       " TIMEOUT ${arg_TIMEOUT} SKIP_REGULAR_EXPRESSION [==[\\[ ALL SKIPPED \\]]==] ${properties})\n")
  set(script "${script}" PARENT_SCOPE)
endfunction()

# Reads --gtest_list_tests: a suite line ("Suite." or "Prefix/Suite/0.  # TypeParam = ...")
# then its cases, indented ("Case" or "Case/0  # GetParam() = ...").
function(kvb_write_suites)
  execute_process(COMMAND ${EMULATOR} "${EXECUTABLE}" --gtest_list_tests
    WORKING_DIRECTORY "${WORKING_DIR}" TIMEOUT ${DISCOVERY_TIMEOUT}
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result)
  set(script "")
  if(NOT result EQUAL 0)
    # A program that cannot list its cases shows up as one failing test.
    get_filename_component(program "${EXECUTABLE}" NAME_WE)
    kvb_add_gtest("${program}.list" TIMEOUT ${DISCOVERY_TIMEOUT}
      COMMAND ${EMULATOR} "${EXECUTABLE}" --gtest_list_tests)
    file(WRITE "${CTEST_FILE}" "${script}")
    return()
  endif()
  string(REPLACE "\r" "" output "${output}")
  string(REPLACE ";" "\\;" output "${output}")
  string(REPLACE "\n" ";" lines "${output}")
  set(suites "")
  set(suite "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^([^ #][^ ]*)\\.( +#.*)?$")
      set(suite "${CMAKE_MATCH_1}")
      if(NOT suite MATCHES "^DISABLED_|/DISABLED_")
        list(APPEND suites "${suite}")
        set(cases_${suite} "")
      endif()
    elseif(line MATCHES "^  ([^ ]+)" AND suite)
      set(test "${CMAKE_MATCH_1}")
      if(NOT test MATCHES "^DISABLED_")
        list(APPEND cases_${suite} "${test}")
      endif()
    endif()
  endforeach()
  get_filename_component(program "${EXECUTABLE}" NAME_WE)
  foreach(suite IN LISTS suites)
    list(LENGTH cases_${suite} count)
    if(count EQUAL 0)
      continue()
    endif()
    # The base name without instantiation prefix or type index names the suite in PER_CASE.
    string(REGEX REPLACE "/[0-9]+$" "" base "${suite}")
    string(REGEX REPLACE "^.*/" "" base "${base}")
    if(base IN_LIST PER_CASE OR suite IN_LIST PER_CASE)
      foreach(test IN LISTS cases_${suite})
        kvb_add_gtest("${program}:${suite}.${test}" TIMEOUT ${CASE_TIMEOUT}
          COMMAND ${EMULATOR} "${EXECUTABLE}" "--gtest_filter=${suite}.${test}")
      endforeach()
    else()
      # Each case keeps its own bound inside the process (tests/common), which
      # names the case that overran; this is the bound on the whole.
      math(EXPR timeout "${CASE_TIMEOUT} * ${count} + 60")
      kvb_add_gtest("${program}:${suite}.*" TIMEOUT ${timeout}
        COMMAND ${EMULATOR} "${EXECUTABLE}" "--gtest_filter=${suite}.*")
    endif()
  endforeach()
  file(WRITE "${CTEST_FILE}" "${script}")
endfunction()
