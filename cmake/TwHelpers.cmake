# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later

function(tw_enable_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# tw_add_library(name [UI] SOURCES ... LIBS ...): one subsystem's static library.
# Includes are rooted at src/.
function(tw_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  tw_enable_warnings(${name})
  set_property(GLOBAL APPEND PROPERTY TW_LIBRARIES ${name})
endfunction()

# tw_add_test(name SOURCES ... LIBS ...): a GoogleTest program run by CTest with no display.
# A program that links a widget library (tw_*_ui) runs on the widget test main.
function(tw_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set(main tw_test_main)
  if(ARG_LIBS MATCHES "_ui(;|$)")
    set(main tw_test_main_ui)
  endif()
  target_link_libraries(${name} PRIVATE ${main} tw_test_support ${ARG_LIBS} GTest::gtest GTest::gmock Qt6::Test)
  tw_enable_warnings(${name})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 30
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 240)
endfunction()

# TW_SANITIZE: build everything (libraries, tests, tools) with AddressSanitizer and
# UndefinedBehaviorSanitizer. Any report aborts the process, so a test that trips one fails.
option(TW_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(TW_SANITIZE)
  set(tw_sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${tw_sanitize_flags})
  add_link_options(${tw_sanitize_flags})
endif()

# TW_FUZZ (clang only, `make fuzz`): everything is built for libFuzzer with ASan and UBSan;
# tests/fuzz then gives libFuzzer programs instead of corpus replays.
option(TW_FUZZ "Build the fuzz harnesses as libFuzzer programs (clang)" OFF)
if(TW_FUZZ)
  set(tw_fuzz_flags -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer)
  add_compile_options(${tw_fuzz_flags})
  add_link_options(-fsanitize=address,undefined)
endif()
