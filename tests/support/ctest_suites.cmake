# Run after a test executable is linked: counts its tests and writes its ctest entries. A large
# executable is split into gtest shards, so that the entries spread over the cores; each process
# pays the start-up of Qt and the sanitizers once for many tests.
#   cmake -DEXE=<path> -DNAME=<ctest prefix> -DOUT=<file> -DENV=<environment, "|" between>
#         [-DSKIP=<suite regex>] -P ctest_suites.cmake
execute_process(COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
                        ${EXE} --gtest_list_tests
                OUTPUT_VARIABLE listing RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${EXE} --gtest_list_tests failed (${result}):\n${errors}")
endif()

string(REPLACE "\n" ";" lines "${listing}")
set(count 0)
set(skipped)
set(skipping FALSE)
foreach(line IN LISTS lines)
  # Suite lines start in the first column and end with a dot ("Prefix/Suite." for a
  # parameterised suite, followed by a comment for typed ones); test lines are indented.
  if(line MATCHES "^([A-Za-z0-9_/]+)\\.")
    set(suite "${CMAKE_MATCH_1}")
    set(skipping FALSE)
    if(SKIP AND suite MATCHES "${SKIP}")
      set(skipping TRUE)
      list(APPEND skipped "${suite}.*")
    endif()
  elseif(line MATCHES "^  " AND NOT skipping)
    math(EXPR count "${count} + 1")
  endif()
endforeach()

set(filter "")
if(skipped)
  list(JOIN skipped ":" filter)
  set(filter "--gtest_filter=-${filter}")
endif()

# About 150 tests a shard; a failing test is named in the shard's output ("[  FAILED  ]").
math(EXPR shards "(${count} + 149) / 150")
if(shards LESS 1)
  set(shards 1)
endif()

string(REPLACE "|" ";" env "${ENV}")
set(content "")
foreach(index RANGE 1 ${shards})
  math(EXPR zero_based "${index} - 1")
  if(shards EQUAL 1)
    set(label "${NAME}")
  else()
    set(label "${NAME}.${index}of${shards}")
  endif()
  # The number of tests is the first guess of the cost, so that a fresh run starts the big
  # shards first (ctest learns the real times afterwards).
  math(EXPR cost "${count} / ${shards}")
  string(APPEND content
    "add_test([=[${label}]=] [==[${EXE}]==] --gtest_brief=1 ${filter})\n"
    "set_tests_properties([=[${label}]=] PROPERTIES TIMEOUT 600 COST ${cost}\n"
    "  ENVIRONMENT [=[${env};GTEST_TOTAL_SHARDS=${shards};GTEST_SHARD_INDEX=${zero_based}]=])\n")
endforeach()
file(WRITE "${OUT}" "${content}")
