# The version resource of every executable we build, made at build time from
# the project's version: on Windows a linked VERSIONINFO resource, in the
# program's resource script with its manifest, both naming the processor
# architecture built for, and the program's icon in the sizes Windows shows,
# drawn from packaging/'s SVG at build time (zqt_draw_icon draws it for the
# Linux program too); elsewhere the same
# VS_VERSIONINFO bytes in the executable's ELF section ".versioninfo", where
# the version functions of the platform layer find it.
#
#   zqt_add_version_resource(<target>)
include_guard(GLOBAL)

set(ZQT_VERSION_INFO_DIR ${CMAKE_CURRENT_LIST_DIR}/versioninfo)
set(ZQT_VERSION_INFO_OUTPUT ${CMAKE_BINARY_DIR}/generated/versioninfo)

# Writes version blocks: the build-time generator below, and tests that
# craft blocks of their own.
add_library(zqt_version_writer STATIC ${ZQT_VERSION_INFO_DIR}/VersionInfoWriter.cpp)
target_include_directories(zqt_version_writer PUBLIC ${ZQT_VERSION_INFO_DIR})

# The program's icon drawn from packaging/'s SVG into Folder, one PNG per
# size given after Pictures, each rendered for its size rather than scaled
# from another; the pictures' paths go into the variable Pictures names.
function(zqt_draw_icon Folder Pictures)
  find_program(ZQT_RSVG_CONVERT rsvg-convert REQUIRED)
  set(Svg ${PROJECT_SOURCE_DIR}/packaging/${ZQT_APP_ID}.svg)
  set(Drawn)
  foreach(Size ${ARGN})
    set(Picture ${Folder}/icon-${Size}.png)
    add_custom_command(
      OUTPUT ${Picture}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${Folder}
      COMMAND ${ZQT_RSVG_CONVERT} -w ${Size} -h ${Size} -o ${Picture} ${Svg}
      DEPENDS ${Svg}
      COMMENT "Drawing the program's icon at ${Size} pixels"
      VERBATIM)
    list(APPEND Drawn ${Picture})
  endforeach()
  set(${Pictures} ${Drawn} PARENT_SCOPE)
endfunction()

# The .ico of Windows, Icon: the largest picture kept as PNG, as Windows
# reads it since Vista, the others as bitmaps for all.
function(zqt_add_icon Icon)
  find_program(ZQT_ICOTOOL icotool REQUIRED)
  zqt_draw_icon(${ZQT_VERSION_INFO_OUTPUT} Pictures 16 24 32 48 256)
  list(TRANSFORM Pictures REPLACE "^(.*-256\\.png)$" "--raw=\\1" OUTPUT_VARIABLE Arguments)
  add_custom_command(
    OUTPUT ${Icon}
    COMMAND ${ZQT_ICOTOOL} --create -o ${Icon} ${Arguments}
    DEPENDS ${Pictures}
    COMMENT "Packing the program's icon"
    VERBATIM)
  add_custom_target(zqt_icon DEPENDS ${Icon})
endfunction()

if(WIN32)
  enable_language(RC)
  string(REPLACE "." "," ZQT_VERSION_PARTS ${PROJECT_VERSION})
  # The architecture as a manifest names it, which must be the executable's
  # own or Windows refuses to start it, and as people read it.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(ZQT_MANIFEST_ARCHITECTURE x86)
    set(ZQT_ARCHITECTURE_TEXT "32-bit (x86)")
  else()
    set(ZQT_MANIFEST_ARCHITECTURE amd64)
    set(ZQT_ARCHITECTURE_TEXT "64-bit (x64)")
  endif()
  set(ZQT_MANIFEST ${ZQT_VERSION_INFO_OUTPUT}/ZQTTweaker.manifest)
  configure_file(${ZQT_VERSION_INFO_DIR}/ZQTTweaker.manifest.in ${ZQT_MANIFEST} @ONLY)
  set(ZQT_ICON ${ZQT_VERSION_INFO_OUTPUT}/ZQTTweaker.ico)
  zqt_add_icon(${ZQT_ICON})
  configure_file(${ZQT_VERSION_INFO_DIR}/ZQTTweaker.rc.in
                 ${ZQT_VERSION_INFO_OUTPUT}/ZQTTweaker.rc @ONLY)
else()
  add_executable(zqt_version_block ${ZQT_VERSION_INFO_DIR}/WriteVersionBlock.cpp)
  target_link_libraries(zqt_version_block PRIVATE zqt_version_writer)
  add_custom_command(
    OUTPUT ${ZQT_VERSION_INFO_OUTPUT}/VersionInfo.cpp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZQT_VERSION_INFO_OUTPUT}
    COMMAND zqt_version_block --source ${PROJECT_VERSION}
            ${ZQT_VERSION_INFO_OUTPUT}/VersionInfo.cpp
    DEPENDS zqt_version_block
    COMMENT "Writing the version resource of ${PROJECT_VERSION}"
    VERBATIM)
  add_library(zqt_version_resource OBJECT ${ZQT_VERSION_INFO_OUTPUT}/VersionInfo.cpp)
endif()

function(zqt_add_version_resource Target)
  if(WIN32)
    target_sources(${Target} PRIVATE ${ZQT_VERSION_INFO_OUTPUT}/ZQTTweaker.rc)
    set_source_files_properties(${ZQT_VERSION_INFO_OUTPUT}/ZQTTweaker.rc PROPERTIES
      OBJECT_DEPENDS "${ZQT_MANIFEST};${ZQT_ICON}")
    add_dependencies(${Target} zqt_icon)
  else()
    target_link_libraries(${Target} PRIVATE zqt_version_resource)
  endif()
endfunction()
