# Sourced by the scripts that run the sanitizer builds: leaks and undefined behaviour end
# the run, with a stack, and the known leaks of the system's libraries are not reported.
# Options already in the environment stay as they are.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
