# Everything a Linux desktop installs beside the programs, and the Debian package made of it:
# manual pages (scdoc), shell completions, the AppStream metainfo, the copyright file and the
# Debian changelog, then CPack's DEB generator. `make package` runs it; `make package-check`
# (scripts/package-check) validates, installs, runs and removes the package.

# The day version PROJECT_VERSION was released: the metainfo's <release> and the changelog's.
set(TESSELET_RELEASE_DATE 2026-12-07)
set(TESSELET_RELEASE_DATE_RFC2822 "Mon, 07 Dec 2026 12:00:00 +0000")
set(TESSELET_MAINTAINER "Tesselet developers <tesselet@users.noreply.github.com>")
set(TESSELET_HOMEPAGE https://github.com/tesselet/tesselet)
set(TESSELET_APP_ID io.github.tesselet.Tesselet)
set(TESSELET_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tesselet)

# Manual pages, built from docs/man/*.scd and gzipped as Debian wants them.
find_program(TESSELET_SCDOC scdoc REQUIRED)
find_program(TESSELET_GZIP gzip REQUIRED)
set(TESSELET_MAN_PAGES tesselet-cli)
if(TESSELET_GUI)
  list(APPEND TESSELET_MAN_PAGES tesselet)
endif()
set(TESSELET_MAN_DIR ${CMAKE_BINARY_DIR}/man)
file(MAKE_DIRECTORY ${TESSELET_MAN_DIR})
set(TESSELET_MAN_OUTPUTS "")
foreach(page IN LISTS TESSELET_MAN_PAGES)
  set(source ${CMAKE_SOURCE_DIR}/docs/man/${page}.1.scd)
  set(output ${TESSELET_MAN_DIR}/${page}.1)
  add_custom_command(OUTPUT ${output} ${output}.gz
    COMMAND sh -c "\"$1\" < \"$2\" > \"$3\" && \"$4\" -9 -n -c \"$3\" > \"$3.gz\""
            sh ${TESSELET_SCDOC} ${source} ${output} ${TESSELET_GZIP}
    DEPENDS ${source}
    COMMENT "Writing the manual page ${page}(1)"
    VERBATIM)
  list(APPEND TESSELET_MAN_OUTPUTS ${output} ${output}.gz)
  install(FILES ${output}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(tesselet_man ALL DEPENDS ${TESSELET_MAN_OUTPUTS})

# Completions of tesselet-cli where bash-completion, zsh and fish look for them.
install(FILES ${CMAKE_SOURCE_DIR}/completions/tesselet-cli.bash
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tesselet-cli)
install(FILES ${CMAKE_SOURCE_DIR}/completions/_tesselet-cli
  DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
install(FILES ${CMAKE_SOURCE_DIR}/completions/tesselet-cli.fish
  DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)

# The AppStream metainfo of the window (its desktop entry and icons: app/CMakeLists.txt).
if(TESSELET_GUI)
  set(TESSELET_METAINFO ${CMAKE_BINARY_DIR}/${TESSELET_APP_ID}.metainfo.xml)
  configure_file(${CMAKE_SOURCE_DIR}/resources/${TESSELET_APP_ID}.metainfo.xml.in
    ${TESSELET_METAINFO} @ONLY)
  install(FILES ${TESSELET_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# The programs as Debian builds them: the whole Global Offset Table read-only (bindnow), and, when
# stripped for the package, no compiler comments either (what dh_strip removes).
foreach(program tesselet-cli tesselet)
  if(TARGET ${program})
    target_link_options(${program} PRIVATE LINKER:-z,relro,-z,now)
    install(CODE "
      if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\"
          COMMAND_ERROR_IS_FATAL ANY)
      endif()")
  endif()
endforeach()

# The start-up files in share/tesselet are data the programs read (the read-me is what F1 opens),
# not documentation that belongs in /usr/share/doc.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tesselet)

# The machine-readable copyright file and the changelog of the (native) package.
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog
  @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  COMMAND sh -c "\"$1\" -9 -n -c \"$2\" > \"$2.gz\"" sh ${TESSELET_GZIP}
          ${CMAKE_BINARY_DIR}/packaging/changelog
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/changelog.in
  VERBATIM)
add_custom_target(tesselet_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  DESTINATION ${TESSELET_DOC_DIR})

if(TESSELET_TESTS)
  # Every manual page renders without a warning from man and groff.
  add_test(NAME man_pages
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-man-pages ${TESSELET_MAN_OUTPUTS})
  # The bash completion offers what it should; all three offer exactly the options of --help.
  add_test(NAME completion_bash
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/completion/test_bash_completion.sh
            ${CMAKE_SOURCE_DIR}/completions $<TARGET_FILE:tesselet-cli>)
endif()

# The Debian package: tesselet_<version>_<arch>.deb in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tesselet)
set(CPACK_PACKAGE_VENDOR "The Tesselet developers")
set(CPACK_PACKAGE_CONTACT "${TESSELET_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn raster pictures into HTML pages, one element per pixel")
set(CPACK_PACKAGE_DESCRIPTION
    "Tesselet turns a raster picture (PNG, JPEG, GIF, BMP, WebP, TIFF and the other
formats Qt reads) into an HTML page in which every pixel becomes one piece of
HTML: a TABLE page with one coloured cell per pixel, a SPAN page of coloured
characters on black, or a DIV page with one positioned element per pixel.

The package holds the window tesselet (Qt 6 Widgets) and the command-line
converter tesselet-cli, which converts many pictures at once, scales them first
if asked and writes to files or to standard output.")
set(CPACK_PACKAGE_HOMEPAGE_URL ${TESSELET_HOMEPAGE})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TESSELET_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TESSELET_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Qt loads its picture readers as plugins, which dpkg-shlibdeps cannot see: PNG, JPEG, GIF and BMP
# come with libqt6gui6, WebP, TIFF and the rest with qt6-image-formats-plugins. The window's X11
# platform plugin (xcb) is part of libqt6gui6 on Debian 12, which the programs link.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins")
# The flash window sizes itself through Qt's private platform-window interface, whose binary form
# is only kept within one Qt release: the package asks for the Qt it was built with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-base-abi (= ${Qt6_VERSION})")
include(CPack)
