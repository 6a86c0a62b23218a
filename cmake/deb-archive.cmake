# Run by CPack once the package is made. Its ar members carry the modes that CPack's own files
# got from the umask; they become 0644, as dpkg-deb writes them. After the 8-byte magic, each
# member has a 60-byte header, the mode 8 bytes at 40 and the size 10 bytes at 48, and its data,
# padded to an even length.
file(WRITE ${CPACK_TOPLEVEL_DIRECTORY}/ar-mode "100644  ")
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT deb MATCHES "\\.deb$")
    continue()
  endif()
  file(SIZE ${deb} end)
  set(header 8)
  while(header LESS end)
    math(EXPR at "${header} + 48")
    file(READ ${deb} size OFFSET ${at} LIMIT 10)
    string(STRIP "${size}" size)
    math(EXPR at "${header} + 40")
    execute_process(COMMAND dd of=${deb} bs=1 seek=${at} conv=notrunc status=none
                    INPUT_FILE ${CPACK_TOPLEVEL_DIRECTORY}/ar-mode COMMAND_ERROR_IS_FATAL ANY)
    math(EXPR header "${header} + 60 + ${size} + ${size} % 2")
  endwhile()
endforeach()
