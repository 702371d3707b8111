# The page's service worker as the build writes it: it keeps exactly the
# files it is given, and names its cache by the release and their contents,
# so that the same files give the same name, any file changed a new one, and
# another release another; a file missing stops the build.
# Run as: cmake -DBUILD_DIR=... -DSOURCE_DIR=... -P service_worker_test.cmake
cmake_minimum_required(VERSION 3.20)
set(page ${BUILD_DIR}/service-worker-test)
file(REMOVE_RECURSE ${page})
file(WRITE ${page}/index.html "<!DOCTYPE html>\n")
file(WRITE ${page}/program.wasm "first build")

# The cache's name the worker written for these files and this version gives.
function(write_worker version out_var)
  execute_process(COMMAND ${CMAKE_COMMAND} -DPAGE=${page} -DVERSION=${version} "-DFILES=index.html;program.wasm"
                          -DTEMPLATE=${SOURCE_DIR}/web/service-worker.js.in -P ${SOURCE_DIR}/web/service-worker.cmake
                  RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    set(${out_var} "failed: ${errors}" PARENT_SCOPE)
    return()
  endif()
  file(READ ${page}/service-worker.js worker)
  if(NOT worker MATCHES "\nconst files = \\['index.html', 'program.wasm'\\];\n")
    message(FATAL_ERROR "the worker does not keep exactly index.html and program.wasm:\n${worker}")
  endif()
  if(NOT worker MATCHES "\nconst cacheName = prefix \\+ '([^']*)';\n")
    message(FATAL_ERROR "the worker names no cache:\n${worker}")
  endif()
  set(${out_var} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

write_worker(1.0.0 first)
if(NOT first MATCHES "^1\\.0\\.0-[0-9a-f]+$")
  message(FATAL_ERROR "the cache's name is not the version and a hash: ${first}")
endif()
write_worker(1.0.0 again)
write_worker(1.0.1 next_release)
file(WRITE ${page}/program.wasm "second build")
write_worker(1.0.0 rebuilt)
if(NOT again STREQUAL first)
  message(FATAL_ERROR "the same files gave another cache's name: ${again}, not ${first}")
endif()
if(next_release STREQUAL first OR rebuilt STREQUAL first)
  message(FATAL_ERROR "another release (${next_release}) or a changed file (${rebuilt}) kept the cache's name ${first}")
endif()

file(REMOVE ${page}/program.wasm)
write_worker(1.0.0 missing)
if(NOT missing MATCHES "^failed: .*the page has no program.wasm")
  message(FATAL_ERROR "a file missing did not stop the worker's writing: ${missing}")
endif()
message(STATUS "the service worker names its cache as expected: ${first}")
