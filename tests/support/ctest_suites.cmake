# Run after a test executable is linked: lists its tests and writes one ctest entry per suite,
# so that a red line names the failing behaviour and the suites spread over all cores.
#   cmake -DEXE=<path> -DNAME=<ctest prefix> -DOUT=<file> -DENV=<environment, "|" between>
#         [-DSKIP=<suite regex>] -P ctest_suites.cmake
execute_process(COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
                        ${EXE} --gtest_list_tests
                OUTPUT_VARIABLE listing RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${EXE} --gtest_list_tests failed (${result}):\n${errors}")
endif()

string(REPLACE "\n" ";" lines "${listing}")
set(suites)
foreach(line IN LISTS lines)
  # Suite lines start in the first column and end with a dot ("Prefix/Suite." for a
  # parameterised suite, followed by a comment for typed ones); test lines are indented.
  if(line MATCHES "^([A-Za-z0-9_/]+)\\.")
    set(suite "${CMAKE_MATCH_1}")
    string(MAKE_C_IDENTIFIER "${suite}" key)
    if(NOT DEFINED count_${key})
      list(APPEND suites "${suite}")
      set(count_${key} 0)
    endif()
  elseif(line MATCHES "^  ")
    math(EXPR count_${key} "${count_${key}} + 1")
  endif()
endforeach()

string(REPLACE "|" ";" env "${ENV}")
set(content "")
foreach(suite IN LISTS suites)
  if(SKIP AND suite MATCHES "${SKIP}")
    continue()
  endif()
  string(REPLACE "/" "." label "${suite}")
  string(MAKE_C_IDENTIFIER "${suite}" key)
  # The number of tests is the first guess of the cost, so that a fresh run starts the big
  # suites first (ctest learns the real times afterwards).
  string(APPEND content
    "add_test([=[${NAME}.${label}]=] [==[${EXE}]==] --gtest_brief=1 [=[--gtest_filter=${suite}.*]=])\n"
    "set_tests_properties([=[${NAME}.${label}]=] PROPERTIES TIMEOUT 300 COST ${count_${key}}\n"
    "  ENVIRONMENT [=[${env}]=])\n")
endforeach()
file(WRITE "${OUT}" "${content}")
