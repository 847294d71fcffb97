# Writes the ctest file that runs the core's GoogleTest cases one process per suite and
# locale: the cases keep their names in GoogleTest's own output, and a suite costs one start
# of the executable instead of one per case.
# Run after each build of the tests with -DTEST_EXE= -DOUT= -DLOCALES= [-DEMULATOR=].
execute_process(COMMAND ${EMULATOR} ${TEST_EXE} --gtest_list_tests
                OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${TEST_EXE} --gtest_list_tests failed: ${failed}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(script "")
foreach(line IN LISTS lines)
  # Suites start in the first column and end with a dot; their cases are indented.
  if(line MATCHES "^([^ #][^ ]*)\\.$")
    set(suite ${CMAKE_MATCH_1})
    foreach(loc IN LISTS LOCALES)
      string(APPEND script "add_test([=[${loc}:${suite}]=] ${EMULATOR} [=[${TEST_EXE}]=] "
             "[=[--gtest_filter=${suite}.*]=])\n"
             "set_tests_properties([=[${loc}:${suite}]=] PROPERTIES ENVIRONMENT LC_ALL=${loc})\n")
    endforeach()
  endif()
endforeach()
file(WRITE ${OUT} "${script}")
