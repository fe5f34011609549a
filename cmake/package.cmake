# The installed game and its Debian package. `cmake --install` lays out the tree a desktop expects
# (the game in games/, its menu entry, icons, metadata, manual and documents under share/); CPack's
# DEB generator packs that tree, with the dependencies dpkg-shlibdeps finds in the binary.
# scripts/package.sh configures, builds and packs; the install tree is checked by install.layout, the
# packing by install.reproducible.
include(GNUInstallDirs)

# Folders copied from the source tree (the icons') are 0755 whatever the umask of whoever installs
# or packs; those made for a destination (usr/games, ...) follow the umask, so scripts/package.sh
# packs with 022.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
  GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(packaging ${CMAKE_SOURCE_DIR}/packaging)
set(packaged ${CMAKE_BINARY_DIR}/packaging)

# The metadata and the manual carry the version and the release day from the top of CMakeLists.txt.
# The AppStream id is in reverse-domain form; the file is named after it, as software centres expect.
set(CAIRNMARK_APPSTREAM_ID example.cairnmark.cairnmark)
set(metainfo ${packaged}/${CAIRNMARK_APPSTREAM_ID}.metainfo.xml)
configure_file(${packaging}/metainfo.xml.in ${metainfo} @ONLY)
configure_file(${packaging}/cairnmark.6.in ${packaged}/cairnmark.6 @ONLY)

# The manual, the changelog and the documents are installed compressed as Debian wants them (the
# documents are over 4 KiB): gzip's best, without the time stamp or the name, so the same sources
# make the same package.
set(compressed "")
foreach(pair "${packaged}/cairnmark.6|cairnmark.6.gz" "${packaging}/changelog|changelog.gz"
    "${CMAKE_SOURCE_DIR}/README.md|README.md.gz" "${CMAKE_SOURCE_DIR}/docs/RECORDINGS.md|RECORDINGS.md.gz")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 name)
  add_custom_command(OUTPUT ${packaged}/${name}
    COMMAND gzip -9 -n -c ${source} > ${packaged}/${name}
    DEPENDS ${source} VERBATIM)
  list(APPEND compressed ${packaged}/${name})
endforeach()
add_custom_target(cairnmark_packaging_files ALL DEPENDS ${compressed})

install(TARGETS cairnmark_installed RUNTIME DESTINATION games)
install(FILES ${packaging}/cairnmark.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/hicolor DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons)
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${packaged}/cairnmark.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${packaging}/copyright ${packaged}/changelog.gz ${packaged}/README.md.gz
  ${packaged}/RECORDINGS.md.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cairnmark)
set(CPACK_PACKAGE_VENDOR "The Cairnmark developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fantasy role-playing game of one hero and a dungeon of twenty floors")
set(CPACK_PACKAGE_DESCRIPTION
  "Cairnmark is a small single-player role-playing game, played with the keyboard
or a game controller. The Dragon Lord's minions fill a dungeon of twenty floors
beneath the hero's home town. Heal, buy and sell in town, equip swords, armour
and runes, and go down floor by floor: every move and every search is a
turn-based battle with an animated creature, until the Dragon Lord falls on
floor 20.

The game keeps one save in the player's data folder, so it can be left with
Escape and resumed where it stopped.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Cairnmark maintainers <maintainers@cairnmark.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The dependencies are the libraries the binary links, as dpkg-shlibdeps names their packages.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Added to those: SDL opens the OpenGL context through libGL.so.1, which it loads at run time, so no
# tool can see it in the binary (and SDL's own package does not bring it).
set(CPACK_DEBIAN_PACKAGE_DEPENDS libgl1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# One commit packs to the same bytes wherever and whenever it is packed: CPack dates every member of
# the archives, and leaves the compressed data undated, by SOURCE_DATE_EPOCH. Unless the packer set
# it, it is the last commit's date, read when packing (a build folder outlives commits), or outside
# a git checkout the date of the changelog's latest entry.
set(CPACK_PROJECT_CONFIG_FILE ${packaged}/package_date.cmake)
file(CONFIGURE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} CONTENT [=[
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C "@CMAKE_SOURCE_DIR@" log -1 --format=%ct
    OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT date MATCHES "^[0-9]+$")
    execute_process(COMMAND dpkg-parsechangelog -l "@packaging@/changelog" -STimestamp
      OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
  if(NOT date MATCHES "^[0-9]+$")
    message(FATAL_ERROR "No date for the package: no git history, and no date in @packaging@/changelog")
  endif()
  set(ENV{SOURCE_DATE_EPOCH} ${date})
endif()
]=] @ONLY)
include(CPack)
