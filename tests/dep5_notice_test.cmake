# A notice read out of a Debian copyright file: the paragraphs of the
# folder's files, as they stand (semicolons and brackets too), but those of
# a folder left out and those of other folders; then the text of each
# licence they name only, once, wherever it stands. A folder the file does
# not name, or a licence it gives no text for, stops the configuration.
# Run as: cmake -DBUILD_DIR=... -DSOURCE_DIR=... -P dep5_notice_test.cmake
cmake_minimum_required(VERSION 3.20)
include(${SOURCE_DIR}/cmake/dep5-notice.cmake)
set(dir ${BUILD_DIR}/dep5-notice-test)
file(REMOVE_RECURSE ${dir})

set(ours_all "Files: lib/threads/*\nCopyright: 2011 the [threads] authors; and others\nLicense: expat")
set(ours_one "Files: other/x.c\n       lib/threads/src/clock.c\nCopyright: none\nLicense: public-domain and expat")
set(ours_inline "Files: lib/threads/include/*\nCopyright: 2010 Lockless\nLicense: BSD-3\n Redistribute freely;\n .\n keep this line.")
set(expat "License: expat\n Permission is granted [to all];\n .\n as is.")
set(public "License: public-domain\n No copyright.")
file(WRITE ${dir}/copyright
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\nUpstream-Name: sample\n\n"
     "Files: *\nCopyright: everyone\nLicense: ZPL-2.1\n Some text.\n\n"
     "${ours_all}\n\n${ours_one}\n\n"
     "Files: lib/threads/tests/*\nCopyright: tests\nLicense: LGPL-2+\n\n"
     "Files: lib/threadsafe/*\nCopyright: a neighbour\nLicense: GPL-3+\n\n"
     "${ours_inline}\n\n\n"
     "License: GPL-3+\n Elsewhere.\n\n${expat}\n\n${public}\n")

dep5_notice(${dir}/copyright lib/threads notice EXCLUDE lib/threads/tests)
set(expected "${ours_all}\n\n${ours_one}\n\n${ours_inline}\n\n${expat}\n\n${public}\n")
if(NOT notice STREQUAL expected)
  message(FATAL_ERROR "the notice:\n${notice}\nnot:\n${expected}")
endif()

# Each failure in a CMake of its own, which must stop with the reason.
function(expect_failure name call reason)
  file(WRITE ${dir}/${name}.cmake "cmake_minimum_required(VERSION 3.20)\ninclude(${SOURCE_DIR}/cmake/dep5-notice.cmake)\n${call}\n")
  execute_process(COMMAND ${CMAKE_COMMAND} -P ${dir}/${name}.cmake RESULT_VARIABLE status ERROR_VARIABLE errors)
  # CMake wraps its messages' lines.
  string(REGEX REPLACE "[ \n]+" " " errors "${errors}")
  if(status EQUAL 0 OR NOT errors MATCHES "${reason}")
    message(FATAL_ERROR "${call}: did not stop with '${reason}' (status ${status}):\n${errors}")
  endif()
endfunction()
expect_failure(no-folder "dep5_notice(${dir}/copyright lib/none out)" "names no files under lib/none/")
file(WRITE ${dir}/no-text "Files: lib/threads/*\nCopyright: x\nLicense: MIT\n")
expect_failure(no-text "dep5_notice(${dir}/no-text lib/threads out)" "names the licence MIT for lib/threads/ but does not give its text")
expect_failure(no-file "dep5_notice(${dir}/missing lib/threads out)" "no copyright file")
message(STATUS "notices read as expected")
