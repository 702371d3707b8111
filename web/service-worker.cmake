# Writes the page's service worker once the rest of the page is built: the
# files it keeps, and its cache's name, the release's version and a hash of
# those files, so that a build which changes any of them names a new cache.
# Run as: cmake -DPAGE=DIR -DVERSION=X.Y.Z -DFILES=NAME;... -DTEMPLATE=FILE -P service-worker.cmake
cmake_minimum_required(VERSION 3.20)
set(digests "")
set(PAGE_CACHED_FILES "")
set(comma "")
foreach(name IN LISTS FILES)
  if(NOT EXISTS "${PAGE}/${name}")
    message(FATAL_ERROR "the page has no ${name}, which its service worker is to keep")
  endif()
  file(SHA256 "${PAGE}/${name}" digest)
  string(APPEND digests "${name} ${digest}\n")
  string(APPEND PAGE_CACHED_FILES "${comma}'${name}'")
  set(comma ", ")
endforeach()
string(SHA256 hash "${digests}")
string(SUBSTRING "${hash}" 0 16 hash)
set(PAGE_CACHE_VERSION "${VERSION}-${hash}")
configure_file("${TEMPLATE}" "${PAGE}/service-worker.js" @ONLY)
# Newer than the files it was made from even where its text came out the
# same, so that the build does not make it again every time.
file(TOUCH "${PAGE}/service-worker.js")
