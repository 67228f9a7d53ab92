# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/sonaplex

test: build
	QT_QPA_PLATFORM=offscreen scripts/with-audio-server ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/bench_file_list
	$(BUILD)/bench/bench_switch

clean:
	rm -rf $(BUILD)
