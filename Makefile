# The two everyday commands: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench screenshots clean

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

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRIPDESK_BENCH=ON -DTRIPDESK_TESTS=OFF
	cmake --build build-bench -j $(JOBS)
	@for b in build-bench/bin/bench_*; do echo "== $$b"; $$b; done

# Renders every window offscreen into docs/screenshots/ (the main window on the sample card).
screenshots: build
	$(BUILD)/bin/tripdesk_screenshots docs/screenshots samples/card

clean:
	rm -rf $(BUILD) build-bench
