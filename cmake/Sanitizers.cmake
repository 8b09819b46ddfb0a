# -DTUNEWELL_SANITIZE=ON builds everything with ASan and UBSan, so that the
# tests run under both and any finding aborts the test. The song records
# are packed by design (their sizes are part of the program's contracts), so
# their fields are read at unaligned addresses, which this platform does
# natively; the alignment check alone is left out.
#
# TUNEWELL_TOOL_ENV is the environment of the programs that run during the
# build (the demo song, the manual's pictures): they end at once, so what
# the system libraries keep until exit is no finding, and leak checking is
# off for them. TUNEWELL_TEST_ENV changes the tests' environment: leaks are
# checked, but those of the system libraries (fontconfig, Qt, FluidSynth,
# GLib, ...) are suppressed by cmake/lsan.supp.
set(TUNEWELL_TOOL_ENV "")
set(TUNEWELL_TEST_ENV "")
if(TUNEWELL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize=alignment
                      -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  set(TUNEWELL_TOOL_ENV ASAN_OPTIONS=detect_leaks=0)
  set(TUNEWELL_TEST_ENV
      LSAN_OPTIONS=set:suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0)
endif()
