# Fuzz targets for the file readers.
#
#   kanelo_add_fuzz_target(<name> <source> <seed folder> <libraries...>)
#
# always builds tests/replay_<name> (the target over every seed file) and
# registers it with CTest as fuzz_replay_<name>; with -DKANELO_FUZZ=ON and
# clang it also builds fuzz/fuzz_<name>, a libFuzzer program with address
# and undefined-behaviour checks, e.g.
#   CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKANELO_FUZZ=ON
#   cmake --build build-fuzz --target fuzz_year
#   mkdir -p /tmp/year && build-fuzz/fuzz/fuzz_year -max_total_time=600 /tmp/year ledger/fuzz/corpus/year
option(KANELO_FUZZ "Build libFuzzer targets for the file readers (clang only)" OFF)
set(KANELO_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})

if(KANELO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KANELO_FUZZ needs clang: configure with CXX=clang++ in a fresh build folder")
  endif()
  # Everything is instrumented, so the fuzzer sees coverage in the readers.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g)
  add_link_options(-fsanitize=address,undefined)
endif()

function(kanelo_add_fuzz_target name source seeds)
  add_executable(replay_${name} ${source} ${KANELO_FUZZ_DIR}/FuzzReplay.cpp ${KANELO_FUZZ_DIR}/FuzzHarness.h)
  target_link_libraries(replay_${name} PRIVATE kanelo_testsupport ${ARGN})
  set_target_properties(replay_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME fuzz_replay_${name} COMMAND replay_${name} ${seeds})
  set_tests_properties(fuzz_replay_${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
  if(KANELO_FUZZ)
    add_executable(fuzz_${name} ${source} ${KANELO_FUZZ_DIR}/FuzzHarness.h)
    target_link_libraries(fuzz_${name} PRIVATE kanelo_testsupport ${ARGN})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(fuzz_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  endif()
endfunction()
