# Every target of ours builds with the same warnings, and clean.
function(tunewell_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()
