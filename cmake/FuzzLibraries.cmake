# Fuzz builds with -DSKYGLOW_FUZZ_LIBS=PREFIX take libjpeg-turbo, libtiff, zlib and giflib from
# PREFIX, where scripts/fuzz-libs builds them static with the fuzzers' instrumentation, instead of
# the system's: the fuzzers then get coverage from inside them and the sanitizers watch them. The
# find modules' cache entries are set outright, so a build folder configured before follows too.
foreach(file include/jpeglib.h include/tiffio.h include/gif_lib.h include/zlib.h lib/libjpeg.a lib/libtiff.a
             lib/libgif.a lib/libz.a)
  if(NOT EXISTS ${SKYGLOW_FUZZ_LIBS}/${file})
    message(FATAL_ERROR "SKYGLOW_FUZZ_LIBS=${SKYGLOW_FUZZ_LIBS} has no ${file}: run scripts/fuzz-libs")
  endif()
endforeach()
set(JPEG_INCLUDE_DIR ${SKYGLOW_FUZZ_LIBS}/include CACHE PATH "" FORCE)
set(JPEG_LIBRARY_RELEASE ${SKYGLOW_FUZZ_LIBS}/lib/libjpeg.a CACHE FILEPATH "" FORCE)
set(TIFF_INCLUDE_DIR ${SKYGLOW_FUZZ_LIBS}/include CACHE PATH "" FORCE)
set(TIFF_LIBRARY_RELEASE ${SKYGLOW_FUZZ_LIBS}/lib/libtiff.a CACHE FILEPATH "" FORCE)
set(GIF_INCLUDE_DIR ${SKYGLOW_FUZZ_LIBS}/include CACHE PATH "" FORCE)
set(GIF_LIBRARY ${SKYGLOW_FUZZ_LIBS}/lib/libgif.a CACHE FILEPATH "" FORCE)
set(ZLIB_INCLUDE_DIR ${SKYGLOW_FUZZ_LIBS}/include CACHE PATH "" FORCE)
set(ZLIB_LIBRARY_RELEASE ${SKYGLOW_FUZZ_LIBS}/lib/libz.a CACHE FILEPATH "" FORCE)
message(STATUS "Picture libraries for fuzzing from ${SKYGLOW_FUZZ_LIBS}")
