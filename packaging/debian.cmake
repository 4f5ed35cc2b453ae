# The Debian package: `./morvel package`, or `cpack --preset deb` after `cmake --preset release`
# and `cmake --build --preset game`. It holds the game (in /usr/games, where Debian keeps games),
# its menu entry, icons, software-centre data and manual page, and Debian's copyright and
# changelog files; the libraries it depends on are worked out from the binary by dpkg-shlibdeps.
set(MORVEL_MAINTAINER "The Morvel developers <maintainers@users.noreply.c-seed-014276f6.example>"
  CACHE STRING "Maintainer field of the Debian package: Name <address>")

# The copyright file quotes the font licence in full, as Debian has no common copy of it.
file(READ ${PROJECT_SOURCE_DIR}/assets/fonts/OFL.txt ofl)
string(FIND "${ofl}" "SIL OPEN FONT LICENSE Version 1.1" start)
string(SUBSTRING "${ofl}" ${start} -1 ofl)
string(STRIP "${ofl}" ofl)
foreach(pass 1 2)  # "\n\n\n" holds two blank lines that share a line break
  string(REPLACE "\n\n" "\n.\n" ofl "${ofl}")
endforeach()
string(REPLACE "\n" "\n " MORVEL_OFL_TEXT " ${ofl}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in debian/copyright @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in debian/changelog @ONLY)

# Manual pages and changelogs are installed compressed, without a time stamp in the archive.
function(morvel_gzip source target)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${target} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${source}: ${status}")
  endif()
endfunction()
morvel_gzip(${PROJECT_SOURCE_DIR}/data/morvel.6 ${PROJECT_BINARY_DIR}/morvel.6.gz)
morvel_gzip(${PROJECT_BINARY_DIR}/debian/changelog ${PROJECT_BINARY_DIR}/debian/changelog.gz)

install(FILES ${PROJECT_BINARY_DIR}/morvel.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(TARGETS morvel RUNTIME DESTINATION games COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_BINARY_DIR}/debian/copyright ${PROJECT_BINARY_DIR}/debian/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvel)
set(CPACK_PACKAGE_VENDOR "The Morvel developers")
set(CPACK_PACKAGE_CONTACT ${MORVEL_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "card game for one player against three computer players")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# One package of the files every install gets (the default component) and the Debian ones, with
# the program in /usr/games instead of /usr/bin.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${MORVEL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Morvel is played with one deck on a green table against three computer
players, with captions in Arabic and English. Every deal is played under one
of five contracts that the chooser picks: four trick contracts (Queen, Heart
King, Diamonds and Collection), in which the taker of penalty cards loses
points, and Morvel, a layout contract in which the suits are built outward
from the jacks.")
include(CPack)
