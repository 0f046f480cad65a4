# Every target of the project builds with the same strict warnings. They are errors only
# where asked (the developers' presets and CI): a user's build with another compiler or
# another optimisation level must not stop on a warning that compiler adds.
option(VARNIK_WERROR "Treat warnings as errors" OFF)

function(varnik_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
    $<$<BOOL:${VARNIK_WERROR}>:-Werror>)
  # g++ 12 raises -Wrestrict wrongly inside std::string's operator+ once optimising (GCC
  # bug 105329): with it, that one stays a warning.
  if(VARNIK_WERROR AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU"
     AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-error=restrict)
  endif()
endfunction()
