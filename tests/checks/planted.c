/* A planted EXE for the test of cmake/check_exe.cmake: never run, only read.
   No C runtime, nothing imported but PLANTED_IMPORT when it is defined (from an
   import library of check_exe_test's own, whatever the function's real
   declaration), and the resources of planted.rc. */
#ifdef PLANTED_IMPORT
__declspec(dllimport) int PLANTED_IMPORT(void);
#endif

int PlantedStart(void) __asm__("planted_start");

int PlantedStart(void) {
#ifdef PLANTED_IMPORT
  return PLANTED_IMPORT();
#else
  return 0;
#endif
}
