# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test test-sanitize fuzz bench package package-check clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

# Builds only the program (not the tests and benchmarks), then starts it.
run: configure
	@cmake --build $(BUILD) -j$(JOBS) --target sonaplex
	$(BUILD)/sonaplex

test: build
	QT_QPA_PLATFORM=offscreen scripts/with-audio-server ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer. A test function may
# take as long as its test (ctest's limit under the sanitizers), not Qt Test's 5 minutes.
SANITIZE_BUILD ?= build-sanitize
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSONAPLEX_SANITIZE=ON -DSONAPLEX_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	QT_QPA_PLATFORM=offscreen QTEST_FUNCTION_TIMEOUT=590000 ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  scripts/with-audio-server ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j$(JOBS)

# libFuzzer on the program's own parsers and the decoders it feeds, from a seed corpus the seed
# tool writes and the inputs that once found a fault (tests/fuzz/regressions). CI runs them briefly; run them for long with `make fuzz FUZZ_SECONDS=3600`.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSONAPLEX_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS) >/dev/null
	@$(FUZZ_BUILD)/tests/fuzz/fuzz_seeds $(FUZZ_BUILD)/seeds
	@for t in midi riff wave vorbis opus flac mp3 module manifest launcher pack oggtags; do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t && \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  $(FUZZ_BUILD)/tests/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=1024 -max_len=65536 \
	    -print_final_stats=0 $(FUZZ_BUILD)/corpus/$$t $(FUZZ_BUILD)/seeds/$$t $$(ls -d tests/fuzz/regressions/$$t 2>/dev/null) \
	    2>$(FUZZ_BUILD)/fuzz_$$t.log \
	  || { tail -n 40 $(FUZZ_BUILD)/fuzz_$$t.log; exit 1; }; \
	  echo "fuzz_$$t: $$(grep -c . $(FUZZ_BUILD)/fuzz_$$t.log) log lines, no fault in $(FUZZ_SECONDS) s"; \
	done

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/bench_file_list
	bench/bench_sounds.sh $(BUILD)/sonaplex 20000 3
	bench/bench_sounds.sh $(BUILD)/sonaplex 100000 1
	bench/bench_replace.sh $(BUILD)/sonaplex 2000 3
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/bench_pack 5000 3
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/bench_record_list
	$(BUILD)/bench/bench_startup 30
	# under a window manager, as a user starts it, with a translation (German) loaded
	xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'openbox & sleep 1; LANGUAGE=de QT_QPA_PLATFORM=xcb $(BUILD)/bench/bench_startup 30'
	cd $(BUILD) && $(CURDIR)/scripts/with-audio-server bench/bench_first_sound 15 200
	$(BUILD)/bench/bench_switch
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/bench_responsive
	cd $(BUILD) && bench/bench_audio
	cd $(BUILD) && bench/bench_codecs 5
	cd $(BUILD) && bench/kill_switch 100 64
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/bench_record_list 100000 2000 3
	$(BUILD)/bench/bench_games 2000 5
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/bench_pack 5000 3
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen $(CURDIR)/scripts/with-audio-server bench/bench_game_window 20000 2000 3

# A Debian package of the program, built in Release; package-check installs it into a scratch
# root and runs the desktop validators and lintian on it.
PACKAGE_BUILD ?= build-package
package: deps
	@cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DSONAPLEX_BUILD_TESTS=OFF -DSONAPLEX_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(PACKAGE_BUILD) -j$(JOBS)
	@cd $(PACKAGE_BUILD) && cpack -G DEB >/dev/null && ls sonaplex_*.deb

package-check: package
	scripts/check-package $(PACKAGE_BUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD)
