# korvi_warnings(target): the project's warning set, applied to every target of ours.
function(korvi_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()
