# With KORVI_SANITIZE every target is built with AddressSanitizer and
# UndefinedBehaviorSanitizer; any undefined behaviour stops the test that hit it.
# With KORVI_THREAD_SANITIZER every target is built with ThreadSanitizer instead
# (the two cannot be combined); a data race fails the test that ran into it.
if(KORVI_SANITIZE AND KORVI_THREAD_SANITIZER)
  message(FATAL_ERROR "KORVI_SANITIZE and KORVI_THREAD_SANITIZER exclude each other")
endif()
if(KORVI_SANITIZE)
  set(korvi_sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=all
      -fno-omit-frame-pointer)
  add_compile_options(${korvi_sanitize_flags} -O1)
  add_link_options(${korvi_sanitize_flags})
endif()
if(KORVI_THREAD_SANITIZER)
  set(korvi_sanitize_flags -fsanitize=thread -fno-omit-frame-pointer)
  add_compile_options(${korvi_sanitize_flags} -O1)
  add_link_options(${korvi_sanitize_flags})
  # GCC warns that the sanitizer does not model standalone fences; the mouse queue's
  # sleep/wake handshake uses them beside sequentially consistent atomics, which it
  # does model, so the warning only repeats itself in every file that includes them.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-tsan)
  endif()
endif()
