# Sourced: sanitizer settings for running instrumented programs. $1 is the source folder.
# Every report ends the process with an error, so ctest sees it as a failed test.
src=${1:-.}
# libxkbcommon-x11 hands strndup a name that is not NUL-terminated within its buffer, which the
# strndup interceptor reads as an overflow; it is not our code and reads nothing past the length.
export ASAN_OPTIONS="abort_on_error=1:detect_stack_use_after_return=0:strict_string_checks=1:detect_leaks=1:intercept_strndup=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$src/scripts/lsan.supp:print_suppressions=0"
