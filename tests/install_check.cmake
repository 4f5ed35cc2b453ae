# Installs into a scratch prefix and checks that every file a desktop needs is there.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(path
    bin/morvel
    share/applications/io.morvel.morvel.desktop
    share/metainfo/io.morvel.morvel.metainfo.xml
    share/icons/hicolor/32x32/apps/io.morvel.morvel.png
    share/icons/hicolor/256x256/apps/io.morvel.morvel.png
    share/icons/hicolor/scalable/apps/io.morvel.morvel.svg
    share/man/man6/morvel.6.gz)
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
# The Debian package's own files (the game in games/, the Debian copyright) stay out.
if(EXISTS ${PREFIX}/games OR EXISTS ${PREFIX}/share/doc)
  message(FATAL_ERROR "a plain install holds the Debian package's files")
endif()
file(REMOVE_RECURSE ${PREFIX})
