# With KORVI_SANITIZE every target is built with AddressSanitizer and
# UndefinedBehaviorSanitizer; any undefined behaviour stops the test that hit it.
if(KORVI_SANITIZE)
  set(korvi_sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=all
      -fno-omit-frame-pointer)
  add_compile_options(${korvi_sanitize_flags} -O1)
  add_link_options(${korvi_sanitize_flags})
endif()
