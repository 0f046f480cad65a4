# The sanitizer builds instrument everything, the project's code and its tests.
#   address: AddressSanitizer with UndefinedBehaviorSanitizer
#   thread:  ThreadSanitizer
# The fuzz build (VARNIK_FUZZ, clang) adds libFuzzer's coverage to AddressSanitizer and
# UndefinedBehaviorSanitizer.
option(VARNIK_FUZZ "Build the fuzz targets with libFuzzer (clang)" OFF)
set(VARNIK_SANITIZE "" CACHE STRING "Sanitizers to build with: address or thread")
set_property(CACHE VARNIK_SANITIZE PROPERTY STRINGS "" address thread)

if(VARNIK_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
elseif(VARNIK_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(VARNIK_SANITIZE)
  # Any false value (empty, OFF) means no sanitizer, as the option's earlier form did.
  message(FATAL_ERROR "VARNIK_SANITIZE must be address, thread or empty, not ${VARNIK_SANITIZE}")
endif()

if(VARNIK_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
