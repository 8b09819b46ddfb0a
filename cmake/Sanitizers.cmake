# -DTUNEWELL_SANITIZE=ON builds everything with ASan and UBSan, so that the
# core tests run under both and any finding aborts the test.
if(TUNEWELL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
