# The Debian package: `cpack -G DEB` in a build folder (scripts/package does it)
# makes orlenta_<version>_amd64.deb of what `cmake --install` puts under /usr,
# and orlenta-dbgsym_<version>_amd64.ddeb with the debug information that the
# crash report's addr2line finds through the binaries' build ids.

# What a Debian system expects of a package beside the program: the manual
# page, the copyright file and a changelog, compressed as dpkg wants them
# (gzip -9n: no name or time stamp, so builds are reproducible).
set(orlenta_debian_files)
foreach(pair "data/orlenta.1;orlenta.1.gz" "data/debian/changelog;changelog.gz")
  list(GET pair 0 source)
  list(GET pair 1 compressed)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/debian/${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/debian
    COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" sh ${CMAKE_SOURCE_DIR}/${source} ${CMAKE_BINARY_DIR}/debian/${compressed}
    DEPENDS ${CMAKE_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND orlenta_debian_files ${CMAKE_BINARY_DIR}/debian/${compressed})
endforeach()
add_custom_target(orlenta_debian_files ALL DEPENDS ${orlenta_debian_files})
install(FILES ${CMAKE_BINARY_DIR}/debian/orlenta.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/debian/changelog.gz data/debian/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orlenta)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orlenta)
set(CPACK_PACKAGE_VENDOR "The Orlenta developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn video files into DVD, VCD and SVCD discs")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${CMAKE_SOURCE_DIR}/data/debian/description.txt)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_FILE_NAME orlenta)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Orlenta developers <orlenta@orlenta.example>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.orlenta.example/")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the binaries link come from dpkg-shlibdeps; the programs the
# jobs run and the plug-ins Qt loads by name are listed here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "ffmpeg, dvdauthor, genisoimage, vcdimager, xorriso, growisofs, cdrdao, libqt6svg6")
# addr2line names functions in a crash report; xdg-open opens the help page.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "binutils, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "lsdvd")
# The generator strips the binaries itself when it splits their debug
# information off (CPACK_STRIP_FILES would leave it nothing to split).
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
# Directories get 0755 and files 0644 whatever the umask of the build.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
