# The two everyday commands: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# `make test-sanitize`: the tests under AddressSanitizer and UndefinedBehaviorSanitizer.
SANITIZE_BUILD ?= build-sanitize
# OFF leaves out the program and its window tests.
SANITIZE_GUI ?= ON
# Test programs to build and run; empty builds everything and runs every test.
SANITIZE_TARGETS ?=
# The logic tests `make test-sanitize-ci` (and .ci/run) checks: at least one
# per subsystem, the parsers' and file formats' first, chosen so that build
# and run stay within about 8 minutes on two cores.
SANITIZE_CI_TARGETS = test_common test_track test_app_settings test_private test_dbase test_export_logbook \
  test_export_kml test_analysis test_device_rules test_mapweaver devlib_test import_test
empty :=
space := $(empty) $(empty)
# `make fuzz`: every fuzz target for FUZZ_SECONDS; FUZZ_TARGETS picks some (names as in fuzz/).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=

.PHONY: all deps configure build run test test-sanitize test-sanitize-ci fuzz bench screenshots clean

all: build

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -x $(BUILD)/bin/marvek7_tripdesk ]; then \
	  $(BUILD)/bin/marvek7_tripdesk samples/card; \
	else \
	  $(BUILD)/bin/tripdesk scan samples/card; \
	fi

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

# A separate build with both sanitizers. Leak checks stay on; a sanitizer
# report fails the test that met it.
test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRIPDESK_SANITIZE=ON \
	  -DTRIPDESK_GUI=$(SANITIZE_GUI) $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_BUILD) -j $(JOBS) $(if $(SANITIZE_TARGETS),--target $(SANITIZE_TARGETS) mapweaver)
	cd $(SANITIZE_BUILD) && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS) --timeout 900 \
	  $(if $(SANITIZE_TARGETS),-R '^($(subst $(space),|,$(strip $(SANITIZE_TARGETS))))$$')

# What .ci/run checks: the logic tests above under both sanitizers.
test-sanitize-ci:
	$(MAKE) test-sanitize SANITIZE_GUI=OFF SANITIZE_TARGETS="$(SANITIZE_CI_TARGETS)"

# libFuzzer targets (clang), one per parser; fails on a crash, leak,
# undefined behaviour or time-out. Findings land in $(FUZZ_BUILD)/artifacts/.
fuzz:
	scripts/install-deps fuzz
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTRIPDESK_FUZZ=ON $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	fuzz/run-fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRIPDESK_BENCH=ON -DTRIPDESK_TESTS=OFF
	cmake --build build-bench -j $(JOBS)
	@for b in build-bench/bin/bench_*; do echo "== $$b"; $$b; done

# Renders every window offscreen into docs/screenshots/ (the main window on the sample card).
screenshots: build
	$(BUILD)/bin/tripdesk_screenshots docs/screenshots samples/card

clean:
	rm -rf $(BUILD) build-bench $(SANITIZE_BUILD) $(FUZZ_BUILD)
