# zuru_test_timeout(<test> <seconds>): the test's CTest timeout, multiplied at
# test time by ZURU_TIME_SCALE (a whole number from 1 to 100; 1 when unset), the
# factor by which the test drivers stretch their own deadlines on a slow
# machine. The property is set as usual, and set again, scaled, by a file that
# CTest reads after every test is declared (cmake/test-timeouts/, the last
# directory of the build).
function(zuru_test_timeout test seconds)
  set_tests_properties(${test} PROPERTIES TIMEOUT ${seconds})
  set_property(GLOBAL APPEND PROPERTY ZURU_TEST_TIMEOUTS "${test}=${seconds}")
endfunction()
