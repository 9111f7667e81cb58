# zuru_wine_checks(<test>...): the Windows tests run every program of theirs
# (ZURU.EXE, the setup program, the test programs, the stand-ins) with Wine's
# heap checking on, and fail when Wine reports a fault of one: a heap fault
# (warn:heap, such as a block freed twice, which Wine otherwise forgives) or any
# error (err:). Every error channel but one is quiet on a clean run: ole's, where
# Wine's start-up of its own COM services now and then fails to reach a service
# manager that is still starting ("start_rpcss Failed to open service manager"),
# is left out. Wine writes these lines to the Unix standard error of each of its
# processes, which the programs a test starts inherit, so CTest sees them in the
# test's output. WINEDEBUG set here overrides the quiet default of
# cmake/wine-env.sh for the tests only.
set(ZURU_WINE_DEBUG "-all,err+all,err-ole,warn+heap")
set(ZURU_WINE_FAULTS "[0-9a-f]:err:[a-z]" "[0-9a-f]:warn:heap:")

function(zuru_wine_checks)
  set_tests_properties(${ARGN} PROPERTIES
    ENVIRONMENT "WINEDEBUG=${ZURU_WINE_DEBUG}"
    FAIL_REGULAR_EXPRESSION "${ZURU_WINE_FAULTS}")
endfunction()
