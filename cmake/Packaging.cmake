# What `cmake --install` puts under the prefix, and the package `cpack` makes
# of it: on Linux a Debian package, on Windows a .zip to unpack anywhere.
# Included after every directory, so that it installs whichever programs the
# build has.
#
#   Linux:   bin/ZQTTweaker, bin/zqttweak, the desktop entry, the AppStream
#            metadata, the icon, the manual pages, copyright and changelog
#   Windows: ZQTTweaker.exe, zqttweak.exe and README.txt side by side
#
# The simulated device and the demo's preparation go along only with
# ZQT_INSTALL_DEMO.
include_guard(GLOBAL)

option(ZQT_INSTALL_DEMO
       "Install the simulated device library and the demo's preparation too" OFF)

set(ZQT_PACKAGE_NAME zqttweaker)
set(ZQT_MAINTAINER "ZQTTweaker developers <zqttweaker@example.org>")
set(ZQT_RELEASE_DATE 2026-12-07)
set(ZQT_RELEASE_DATE_RFC2822 "Mon, 07 Dec 2026 00:00:00 +0000")
set(ZQT_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(ZQT_PACKAGING_OUTPUT ${CMAKE_BINARY_DIR}/generated/packaging)

if(WIN32)
  # One folder holds everything, as unpacked from the archive.
  set(CMAKE_INSTALL_BINDIR .)
  set(CMAKE_INSTALL_LIBDIR .)
endif()
include(GNUInstallDirs)
# Named after the package, where Debian looks for its copyright and changelog.
set(ZQT_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/${ZQT_PACKAGE_NAME})
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS zqttweak)
if(TARGET ZQTTweaker)
  install(TARGETS ZQTTweaker)
endif()
if(ZQT_INSTALL_DEMO)
  install(TARGETS zqt_device LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  if(TARGET zqt_prepare_demo)
    install(TARGETS zqt_prepare_demo)
  endif()
endif()

# Files made from a template in packaging/ with the version and date:
# zqt_configure_packaging_file(<template without .in> <output name>)
function(zqt_configure_packaging_file Template Output)
  configure_file(${ZQT_PACKAGING_DIR}/${Template}.in ${ZQT_PACKAGING_OUTPUT}/${Output} @ONLY
                 ${ARGN})
endfunction()

if(WIN32)
  zqt_configure_packaging_file(README-Windows.txt README.txt NEWLINE_STYLE CRLF)
  install(FILES ${ZQT_PACKAGING_OUTPUT}/README.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win32)
else()
  zqt_configure_packaging_file(${ZQT_APP_ID}.metainfo.xml ${ZQT_APP_ID}.metainfo.xml)
  install(FILES ${ZQT_PACKAGING_DIR}/${ZQT_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${ZQT_PACKAGING_OUTPUT}/${ZQT_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${ZQT_PACKAGING_DIR}/${ZQT_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${ZQT_PACKAGING_DIR}/copyright DESTINATION ${ZQT_INSTALL_DOCDIR})

  # Manual pages and the changelog are installed compressed, as Debian wants
  # them; gzip -n leaves out the time, so that they are the same every build.
  find_program(ZQT_GZIP gzip REQUIRED)
  set(Compressed)
  foreach(Page zqttweak.1 ZQTTweaker.1 changelog)
    zqt_configure_packaging_file(${Page} ${Page})
    add_custom_command(
      OUTPUT ${ZQT_PACKAGING_OUTPUT}/${Page}.gz
      COMMAND ${ZQT_GZIP} -9nkf ${ZQT_PACKAGING_OUTPUT}/${Page}
      DEPENDS ${ZQT_PACKAGING_OUTPUT}/${Page}
      VERBATIM)
    list(APPEND Compressed ${ZQT_PACKAGING_OUTPUT}/${Page}.gz)
  endforeach()
  add_custom_target(zqt_packaging_files ALL DEPENDS ${Compressed})
  install(FILES ${ZQT_PACKAGING_OUTPUT}/zqttweak.1.gz ${ZQT_PACKAGING_OUTPUT}/ZQTTweaker.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${ZQT_PACKAGING_OUTPUT}/changelog.gz DESTINATION ${ZQT_INSTALL_DOCDIR})

  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_PACKAGE_NAME ${ZQT_PACKAGE_NAME})
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The libraries the programs link, with their versions, as the system
  # knows them.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The desktop's own file dialogs on GTK desktops.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-gtk-platformtheme)
endif()

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The ZQTTweaker developers")
set(CPACK_PACKAGE_CONTACT ${ZQT_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "change hidden settings of the Quorvanta task organizer")
set(CPACK_PACKAGE_DESCRIPTION
    "ZQTTweaker shows the settings of the Quorvanta task organizer that its own\n\
settings dialogs do not offer, in the desktop's registry and in the registry\n\
of a connected handheld device, and lets you change them. The console program\n\
zqttweak offers the same options from the command line and as registry files.")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
