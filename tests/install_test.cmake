# What `cmake --install` puts in place, with DESTDIR: exactly the program,
# the manual page, the desktop entry, the icons, the AppStream metadata, the
# README and the licence, each where desktops and man look for it; the
# release's version in the page, the metadata and the Debian changelog; every
# key in the page; icons of the sizes their folders name.
# Run as: cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DVERSION=... -P install_test.cmake
cmake_minimum_required(VERSION 3.14)
set(root ${BUILD_DIR}/install-test)
# Both inside the build tree, so that a DESTDIR ignored writes nowhere else.
set(destdir ${root}/destdir)
set(prefix ${root}/prefix)
file(REMOVE_RECURSE ${root})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${destdir}
                        ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
if(EXISTS ${prefix})
  message(FATAL_ERROR "cmake --install wrote into the prefix itself, not under DESTDIR")
endif()

set(installed ${destdir}${prefix})
set(appstream_id org.vehicle_viewer.VehicleViewer)
set(expected
    bin/vehicle-viewer
    share/applications/vehicle-viewer.desktop
    share/doc/vehicle-viewer/LICENSE
    share/doc/vehicle-viewer/README.md
    share/icons/hicolor/128x128/apps/vehicle-viewer.png
    share/icons/hicolor/256x256/apps/vehicle-viewer.png
    share/icons/hicolor/48x48/apps/vehicle-viewer.png
    share/man/man1/vehicle-viewer.1
    share/metainfo/${appstream_id}.metainfo.xml)
file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${installed} ${installed}/*)
list(SORT found)
if(NOT found STREQUAL expected)
  string(REPLACE ";" "\n  " found "${found}")
  message(FATAL_ERROR "installed:\n  ${found}")
endif()

function(expect_match file regex what)
  file(READ ${installed}/${file} text)
  if(NOT text MATCHES "${regex}")
    message(FATAL_ERROR "${file}: ${what}")
  endif()
endfunction()

set(page share/man/man1/vehicle-viewer.1)
expect_match(${page} "\n\\.TH VEHICLE-VIEWER 1 \"[0-9-]+\" \"vehicle-viewer ${VERSION}\"" "not a section 1 page of version ${VERSION}")
foreach(key x y z o p g w 1 2 3 4 5)
  expect_match(${page} "\n\\.TP\n([^\n]*, )?\\\\fB${key}\\\\fR" "the key ${key} is not among the controls")
endforeach()
expect_match(${page} "\n\\.SH EXIT STATUS\n" "no exit status")
expect_match(${page} "Projection error! Invalid Parameters" "no console message")
expect_match(share/metainfo/${appstream_id}.metainfo.xml "<release version=\"${VERSION}\"" "no release ${VERSION}")
expect_match(share/applications/vehicle-viewer.desktop "\nExec=vehicle-viewer\n" "does not start the viewer without arguments")
expect_match(share/applications/vehicle-viewer.desktop "\nTerminal=false\n" "asks for a terminal")
file(STRINGS ${SOURCE_DIR}/debian/changelog latest LIMIT_COUNT 1)
if(NOT latest MATCHES "^vehicle-viewer \\(${VERSION}(-[^)]*)?\\) ")
  message(FATAL_ERROR "debian/changelog's latest entry is not version ${VERSION}: ${latest}")
endif()

# A PNG's width and height are the 4-byte numbers at offsets 16 and 20.
foreach(size 48 128 256)
  set(icon ${installed}/share/icons/hicolor/${size}x${size}/apps/vehicle-viewer.png)
  file(READ ${icon} header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 32 8 width)
  string(SUBSTRING "${header}" 40 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT header MATCHES "^89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
    message(FATAL_ERROR "${icon} is not a ${size} x ${size} PNG (${width} x ${height})")
  endif()
endforeach()
message(STATUS "installed as expected: ${expected}")
