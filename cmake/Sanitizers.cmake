# -DTUNEWELL_SANITIZE=ON builds everything with ASan and UBSan, so that the
# core tests run under both and any finding aborts the test. The song records
# are packed by design (their sizes are part of the program's contracts), so
# their fields are read at unaligned addresses, which this platform does
# natively; the alignment check alone is left out.
if(TUNEWELL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize=alignment
                      -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
