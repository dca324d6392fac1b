# What `cmake --install` puts in place, and the Debian package CPack builds
# from it (make package):
#   bin/ort310eval, bin/ort310
#   share/man/man1/ort310eval.1.gz, share/man/man1/ort310.1.gz (help2man)
#   share/doc/ort310eval/copyright, share/doc/ort310eval/changelog.gz
#   share/applications/<id>.desktop, share/metainfo/<id>.metainfo.xml
#   share/icons/hicolor/<size>/apps/<id>.png|svg
#   lib/systemd/system/ort310-exporter.service (the exporter; not enabled)
#   share/doc/ort310eval/examples/prometheus/ (scrape configuration, rules)
# <id> is ORT_DESKTOP_ID, the name the program gives the desktop as well.
include(GNUInstallDirs)

set(ORT_PRODUCT_NAME "ORT310 Evaluation Software")
set(ORT_CHIP_NAME "ORT310")
set(ORT_MAKER_NAME "Velmora")
configure_file(${PROJECT_SOURCE_DIR}/data/ort310eval.desktop.in
               ${PROJECT_BINARY_DIR}/data/${ORT_DESKTOP_ID}.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/ort310eval.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/data/${ORT_DESKTOP_ID}.metainfo.xml @ONLY)

install(TARGETS ort310eval ort310 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Manual pages made from each program's --help by help2man, where it is
# installed (make package installs it). The programs are found on the PATH,
# so that their usage lines name them and not the build folder; the pages
# are in English, whatever the language of the machine that builds them.
find_program(HELP2MAN help2man)
set(ort_man_names ort310eval ort310)
set(ort_man_ort310eval "evaluation program for the ${ORT_CHIP_NAME} temperature-monitor chip")
set(ort_man_ort310 "command-line tool for the ${ORT_CHIP_NAME} temperature-monitor chip")
if(HELP2MAN)
  set(ort_man_pages)
  foreach(program ${ort_man_names})
    set(page ${PROJECT_BINARY_DIR}/man/${program}.1)
    add_custom_command(OUTPUT ${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
      COMMAND ${CMAKE_COMMAND} -E env PATH=$<TARGET_FILE_DIR:${program}>:/usr/bin:/bin ORT310_BUS=sim
              QT_QPA_PLATFORM=offscreen LANGUAGE=en
              ${HELP2MAN} --no-info --no-discard-stderr --version-string=${PROJECT_VERSION}
              "--name=${ort_man_${program}}" --output=${page} ${program}
      COMMAND gzip -9nf ${page}
      DEPENDS ${program}
      VERBATIM)
    list(APPEND ort_man_pages ${page}.gz)
  endforeach()
  add_custom_target(ort_man_pages ALL DEPENDS ${ort_man_pages})
  install(FILES ${ort_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "help2man not found: the programs are installed without manual pages")
endif()

# The package's copyright and changelog, where Debian keeps them.
set(ort_doc ${CMAKE_INSTALL_DATADIR}/doc/ort310eval)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/data/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/changelog ${PROJECT_BINARY_DIR}/data/changelog
  COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/data/changelog
  DEPENDS ${PROJECT_SOURCE_DIR}/data/changelog
  VERBATIM)
add_custom_target(ort_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/data/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/data/copyright ${PROJECT_BINARY_DIR}/data/changelog.gz DESTINATION ${ort_doc})
install(FILES ${PROJECT_BINARY_DIR}/data/${ORT_DESKTOP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/data/${ORT_DESKTOP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(side ${ORT_ICON_SIZES})
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/${side}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${side}x${side}/apps
          RENAME ${ORT_DESKTOP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/data/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ort310eval)
# The exporter's service and the Prometheus side of it.
install(FILES ${PROJECT_SOURCE_DIR}/data/ort310-exporter.service DESTINATION lib/systemd/system)
install(FILES ${PROJECT_SOURCE_DIR}/docs/prometheus/prometheus.yml ${PROJECT_SOURCE_DIR}/docs/prometheus/ort310-rules.yml
              ${PROJECT_SOURCE_DIR}/docs/prometheus/ort310-rules.test.yml
        DESTINATION ${ort_doc}/examples/prometheus)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/ort310eval.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${ORT_DESKTOP_ID}.svg)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ort310eval)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR ${ORT_MAKER_NAME})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "evaluation program for the ${ORT_CHIP_NAME} temperature-monitor chip")
# Lines of at most 80 characters, as Debian's description wants them.
set(CPACK_PACKAGE_DESCRIPTION
    "Finds the ${ORT_CHIP_NAME} on a printer-port evaluation board or on the on-board
SMBus, reads and writes its registers, shows and logs its temperatures. Uses
the machine's printer ports and SMBus adapters where it shows any, else a
simulated evaluation board. The command-line tool ort310 does the same without
a display, for scripts and logging.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ORT_MAKER_NAME} ${ORT_CHIP_NAME} evaluation software team <ort310@velmora.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# The libraries the program links (Qt 6 base, libi2c, the C++ runtime) are
# found by dpkg-shlibdeps; the window-system plugins Qt loads at run time
# are not linked, so they are named here, and so are Qt's own catalogues
# (the standard buttons and dialogs in the user's language).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
# i2c-tools creates the i2c group, and its udev rule hands it /dev/i2c-N; a
# suggestion only, as it brings udev into a machine that may have none.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "i2c-tools")
include(CPack)
