# Every target of the project builds with the same strict warnings.
function(varnik_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()
