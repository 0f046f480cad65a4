# Manual pages are installed gzipped, as Debian's policy asks: varnik_install_manual(target
# page) compresses the built page (`gzip -n` keeps the bytes reproducible) when the target
# is built, and installs the result into man1.
find_program(GZIP gzip REQUIRED)

function(varnik_install_manual target page)
  set(gz ${page}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${GZIP} -9nc ${page} > ${gz}
    DEPENDS ${page} VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${gz})
  install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
