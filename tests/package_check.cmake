# The Debian package of this build: CPack makes it, lintian finds no error in it, it depends on
# the libraries the binary links, and unpacked into a scratch root it holds the game with its menu
# entry, icons, metainfo and Debian files. The end-to-end desktop test then starts the game from
# that root.
#   cmake -DBUILD_DIR=... -DDIR=scratch-dir -DCPACK=... -DLINTIAN=... -P package_check.cmake

file(REMOVE_RECURSE ${DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DESTDIR ${CPACK} -G DEB -B ${DIR}
  WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB deb ${DIR}/morvel_*.deb)
if(NOT status EQUAL 0 OR NOT deb)
  message(FATAL_ERROR "cpack failed (${status}):\n${out}")
endif()

execute_process(COMMAND ${LINTIAN} --fail-on error ${deb}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
message("lintian ${deb}:\n${out}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lintian finds errors (${status}):\n${out}${err}")
endif()

execute_process(COMMAND dpkg-deb --field ${deb} Section Depends OUTPUT_VARIABLE fields)
foreach(expected "Section: games" "libqt6widgets6" "libjpeg62-turbo")
  string(FIND "${fields}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the package's fields lack '${expected}':\n${fields}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb -x ${deb} ${DIR}/root RESULT_VARIABLE status)
foreach(path
    games/morvel
    share/applications/io.morvel.morvel.desktop
    share/metainfo/io.morvel.morvel.metainfo.xml
    share/icons/hicolor/32x32/apps/io.morvel.morvel.png
    share/icons/hicolor/scalable/apps/io.morvel.morvel.svg
    share/man/man6/morvel.6.gz
    share/doc/morvel/copyright
    share/doc/morvel/changelog.gz)
  if(NOT EXISTS ${DIR}/root/usr/${path})
    message(FATAL_ERROR "the package lacks /usr/${path}")
  endif()
endforeach()
if(EXISTS ${DIR}/root/usr/bin)
  message(FATAL_ERROR "the package puts the game in /usr/bin as well as /usr/games")
endif()
