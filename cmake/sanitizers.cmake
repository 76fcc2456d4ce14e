# Builds with AddressSanitizer and UndefinedBehaviorSanitizer (ZELVORA_SANITIZE), or the fuzz
# targets with libFuzzer under the same sanitizers (ZELVORA_FUZZ, clang only). Every library is
# instrumented; the first fault stops the program instead of being reported and skipped.
option(ZELVORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ZELVORA_FUZZ "Build the fuzz targets (clang with libFuzzer, sanitizers on)" OFF)

if(ZELVORA_SANITIZE OR ZELVORA_FUZZ)
  set(zelvora_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all
                         -fno-omit-frame-pointer)
  add_compile_options(${zelvora_sanitizers})
  add_link_options(${zelvora_sanitizers})
endif()

if(ZELVORA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "The fuzz targets need clang (libFuzzer): -DCMAKE_CXX_COMPILER=clang++-14")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
