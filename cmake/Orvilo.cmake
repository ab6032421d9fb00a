# Shared build settings and helpers for every Orvilo target.

add_compile_options(-Wall -Wextra)

if(ORVILO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  # Every test of this build runs with the project's list of leaks that the
  # libraries we do not build keep until the process ends
  # (tests/sanitizers/lsan.supp). intercept_tls_get_addr=0: the leak check
  # then reaches the threads' dynamic TLS blocks through their pointers like
  # any other memory; tracking them itself, this compiler's runtime takes some
  # blocks (those 16 bytes past a 4 KiB boundary) for an old glibc layout,
  # reads a bogus range and crashes ("Tracer caught signal 11") in a random
  # few processes with GStreamer's streaming threads still alive at exit.
  # One variable only: gtest_discover_tests writes a property's values as
  # separate words.
  set(ORVILO_SANITIZER_ENVIRONMENT
    "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/sanitizers/lsan.supp:print_suppressions=0:intercept_tls_get_addr=0")
  # The leak check takes one list: programs whose streaming threads call into
  # Qt get the common list and tests/sanitizers/lsan-qt-foreign-threads.supp.
  file(READ ${CMAKE_SOURCE_DIR}/tests/sanitizers/lsan.supp common_leaks)
  file(READ ${CMAKE_SOURCE_DIR}/tests/sanitizers/lsan-qt-foreign-threads.supp foreign_thread_leaks)
  file(WRITE ${CMAKE_BINARY_DIR}/lsan-qt-foreign-threads.supp "${common_leaks}\n${foreign_thread_leaks}")
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/tests/sanitizers/lsan.supp ${CMAKE_SOURCE_DIR}/tests/sanitizers/lsan-qt-foreign-threads.supp)
  set(ORVILO_SANITIZER_ENVIRONMENT_QT_FOREIGN_THREADS
    "LSAN_OPTIONS=suppressions=${CMAKE_BINARY_DIR}/lsan-qt-foreign-threads.supp:print_suppressions=0:intercept_tls_get_addr=0")
endif()

# orvilo_sanitizer_environment([PROGRAMS] <test>...): gives tests made with
# add_test the sanitizer build's environment (orvilo_add_test does it by
# itself). PROGRAMS: the tests start the main program with its camera, whose
# GStreamer must scan its plug-ins in-process, as the plain-built scanner
# helper cannot load our sanitizer-built decoder plug-in, and whose streaming
# threads call into Qt (the leak list with Qt's data of those threads).
function(orvilo_sanitizer_environment)
  if(NOT ORVILO_SANITIZE)
    return()
  endif()
  cmake_parse_arguments(S "PROGRAMS" "" "" ${ARGN})
  set(environment ${ORVILO_SANITIZER_ENVIRONMENT})
  if(S_PROGRAMS)
    set(environment ${ORVILO_SANITIZER_ENVIRONMENT_QT_FOREIGN_THREADS} GST_REGISTRY_FORK=no)
  endif()
  set_property(TEST ${S_UNPARSED_ARGUMENTS} APPEND PROPERTY ENVIRONMENT ${environment})
endfunction()

# orvilo_add_test(<name> [QT] [QT_FOREIGN_THREADS] SOURCES ... LIBS ... [LABELS ...] [TIMEOUT s])
# One GoogleTest program; every test in it becomes a CTest test. Its main()
# (tests/support) makes the run headless (offscreen Qt, null audio sink)
# unless the environment says otherwise; QT: main() also makes a QApplication.
# QT_FOREIGN_THREADS: GStreamer's threads call into Qt; the sanitizer build's
# leak list then also holds Qt's data of those threads.
function(orvilo_add_test name)
  if(NOT ORVILO_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "QT;QT_FOREIGN_THREADS" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(T_QT)
    target_link_libraries(${name} PRIVATE ${T_LIBS} orvilo_qt_test_main GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} orvilo_test_main GTest::gtest GTest::gmock)
  endif()
  target_compile_definitions(${name} PRIVATE
    ORVILO_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    ORVILO_PROGRAM_DIR="${ORVILO_PROGRAM_DIR}"
    ORVILO_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
  set(properties TIMEOUT ${T_TIMEOUT})
  if(T_LABELS)
    list(APPEND properties LABELS "${T_LABELS}")
  endif()
  if(ORVILO_SANITIZE AND T_QT_FOREIGN_THREADS)
    list(APPEND properties ENVIRONMENT ${ORVILO_SANITIZER_ENVIRONMENT_QT_FOREIGN_THREADS})
  elseif(ORVILO_SANITIZE)
    list(APPEND properties ENVIRONMENT ${ORVILO_SANITIZER_ENVIRONMENT})
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties})
endfunction()

# orvilo_add_sanitized_copy(<new target> <library targets...>): the C and C++
# sources of the libraries compiled once more with ASan and UBSan into a
# static library, so that fuzz smoke runs are sanitized in any build.
function(orvilo_add_sanitized_copy name)
  set(sources)
  foreach(library IN LISTS ARGN)
    get_target_property(library_sources ${library} SOURCES)
    get_target_property(library_folder ${library} SOURCE_DIR)
    foreach(source IN LISTS library_sources)
      if(NOT IS_ABSOLUTE ${source})
        set(source ${library_folder}/${source})
      endif()
      if(source MATCHES "\\.(c|cc|cpp)$")
        list(APPEND sources ${source})
      endif()
    endforeach()
  endforeach()
  add_library(${name} STATIC EXCLUDE_FROM_ALL ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PUBLIC -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(${name} PUBLIC -fsanitize=address,undefined)
  if(ORVILO_FUZZ)
    # The same copy guides libFuzzer's search in a clang fuzzing build.
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()

# Adds every direct subfolder of the current folder that has a CMakeLists.txt.
function(orvilo_add_subfolders)
  file(GLOB entries LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(entry IN LISTS entries)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${entry}/CMakeLists.txt)
      add_subdirectory(${entry})
    endif()
  endforeach()
endfunction()
