# Wrapper around CMake. `make run` and `make test` are all a newcomer needs.
BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench fuzz test-sanitize install clean format

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/dist && ./tavro50

test: build
	scripts/run-tests $(BUILD)

# The Google benchmarks, then one table of whole-program figures against their goals.
bench: build
	cmake --build $(BUILD) --target run_bench
	cmake --build $(BUILD) -j $(JOBS) --target bench_process bench_floor
	scripts/bench-report $(BUILD)

# libFuzzer targets (clang) in their own build folder, each run FUZZ_SECONDS (default 60).
fuzz: deps
	scripts/fuzz $(BUILD)-fuzz

# The whole test suite under AddressSanitizer and UBSan. The end-to-end tests
# preload libfaketime, which ASan would refuse as not coming first; leaks of
# third-party libraries are suppressed in scripts/lsan-suppressions.txt. The
# end-to-end scenarios run once here, on the bare X server (not under the
# window managers and compositors).
test-sanitize: deps
	cmake -S . -B $(BUILD)-sanitize -DTAVRO_SANITIZE=ON -DTAVRO_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD)-sanitize -j $(JOBS)
	ASAN_OPTIONS=verify_asan_link_order=0 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan-suppressions.txt:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1 \
	scripts/run-tests $(BUILD)-sanitize -LE 'openbox|xfwm4|wayland|package'

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

format:
	find src tests tools bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BUILD)-sanitize
